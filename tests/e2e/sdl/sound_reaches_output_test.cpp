// A letter's sound end to end on SDL's real "disk" audio driver, which writes
// what it plays to a file: a key typed into the real main window plays the
// letter's recording through the media layer into that file unchanged, and
// its completion brings the repeat control back. SDL's output stays open for
// the life of the process, so this runs in an executable of its own.
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "tests/support/wav_files.h"
#include "windows/main.h"

#include <QCoreApplication>
#include <QDir>
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
// The output's own format, so that the samples must reach it unchanged.
constexpr int kRate = 44100;
constexpr int kChannels = 2;
// A tenth of a second: the disk driver plays in real time.
constexpr int kFrames = kRate / 10;

// Sample data that no silence or other sound can produce: a ramp, no zero in it.
QByteArray samples()
{
    QByteArray data;
    for (int i = 0; i < kFrames; ++i) {
        const int v = (i % 2000) * 13 + 5;
        for (const int sample : {v, -v}) {
            data.append(static_cast<char>(sample & 0xFF));
            data.append(static_cast<char>((sample >> 8) & 0xFF));
        }
    }
    return data;
}

QByteArray wav(const QByteArray& data)
{
    return testcontent::wavFile({.tag = 1, .channels = kChannels, .rate = kRate, .bits = 16}, data);
}

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// "ф" typed into the main window: Ф's recording reaches the sound output byte
// for byte, and when it has ended the repeat control is shown again.
TEST(SoundOnSdl, LetterSoundReachesTheOutputAndTheRepeatControlComesBack)
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    const QString output = place.filePath(QStringLiteral("output.raw"));
    // Before the first Play, which starts SDL's audio.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(output).constData(), 1);

    const QString data = place.path() + QStringLiteral("/DATA/");
    write(data + QStringLiteral("data.txt"), QByteArray());
    // Windows-1251 for "Ф".
    write(data + QStringLiteral("Ф/letter_text.txt"), QByteArray("\xD4\r\n"));
    const QByteArray recording = samples();
    write(data + QStringLiteral("Ф/letter_voice.wav"), wav(recording));

    ScriptedDialogs dialogs;
    UserDialogsOverride dialogsScope(dialogs);
    TfmMain main;
    TForm::setMainForm(&main);
    main.Show();
    dialogs.queueChoice(data + QStringLiteral("data.txt"));
    QTest::mouseClick(main.btnDir, Qt::LeftButton, Qt::NoModifier, main.btnDir->rect().center());
    ASSERT_EQ(main.browser().DataFolder(), data);

    QTest::sendKeyEvent(QTest::Click, main.Memo1, Qt::Key(0x0424), QStringLiteral("ф"), Qt::NoModifier);
    EXPECT_EQ(main.Memo1->Lines(), QStringList{QStringLiteral("Ф")});
    EXPECT_FALSE(main.MediaPlayer1->isVisible());
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!main.MediaPlayer1->isVisible() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(main.MediaPlayer1->isVisible()) << "the repeat control came back at the end";
    // The driver writes through a buffer; the silence played after the sound pushes it out.
    bool reached = false;
    while (!(reached = readAll(output).contains(recording)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(reached) << "the recording reached the output unchanged";
    EXPECT_TRUE(dialogs.errorBoxes().empty());
    EXPECT_EQ(dialogs.beeps(), 1) << "only for the welcome sound missing at start";
    TForm::setMainForm(nullptr);
}
