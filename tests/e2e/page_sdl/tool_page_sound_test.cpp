// A page made by tolvika-page, heard through SDL's real "disk" audio driver,
// which writes what it plays to a file: the key typed into the real main
// window plays the converted memo, and its samples reach that file as the
// program's decoder makes them. SDL's output stays open for the life of the
// process, so this runs in an executable of its own.
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/mci/wav_decoder.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "tests/support/page_tool.h"
#include "windows/main.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Generous bound for a loaded machine: it only keeps a broken build from hanging.
constexpr auto kPatience = std::chrono::seconds(30);
// The format SDL's output is opened in by the media layer.
constexpr mci::AudioFormat kOutputFormat{44100, 2};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// "ж" typed: the tool's WAV, as the program decodes it for the output,
// reaches the output file byte for byte.
TEST(ToolPageOnSdl, ConvertedMemoReachesTheOutput)
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    const QString output = place.filePath(QStringLiteral("output.raw"));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(output).constData(), 1);

    const QString data = place.filePath(QStringLiteral("DATA"));
    ASSERT_EQ(pagetool::run({QStringLiteral("--new"), data}).status, 0);
    pagetool::makePage(data, QStringLiteral("Ж"), place.path(), {QSize(600, 800), QStringLiteral("Жж"), 0.2});
    mci::DecodedSound expected;
    ASSERT_EQ(mci::decodeWavFile(QFile::encodeName(data + QStringLiteral("/Ж/letter_voice.wav")).constData(),
                                 kOutputFormat, expected),
              0U);
    const QByteArray samples(reinterpret_cast<const char*>(expected.samples.data()),
                             static_cast<qsizetype>(expected.samples.size() * sizeof(std::int16_t)));

    ScriptedDialogs dialogs;
    UserDialogsOverride dialogsScope(dialogs);
    TfmMain main;
    TForm::setMainForm(&main);
    main.Show();
    dialogs.queueChoice(data + QStringLiteral("/data.txt"));
    QTest::mouseClick(main.btnDir, Qt::LeftButton, Qt::NoModifier, main.btnDir->rect().center());

    QTest::sendKeyEvent(QTest::Click, main.Memo1, Qt::Key(0x0416), QStringLiteral("ж"), Qt::NoModifier);
    EXPECT_EQ(main.Memo1->Lines(), QStringList{QStringLiteral("Жж")});
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!main.MediaPlayer1->isVisible() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(main.MediaPlayer1->isVisible()) << "the sound ended";
    bool reached = false;
    while (!(reached = readAll(output).contains(samples)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(reached) << "the converted memo reached the output unchanged";
    EXPECT_TRUE(dialogs.errorBoxes().empty());
    TForm::setMainForm(nullptr);
}
