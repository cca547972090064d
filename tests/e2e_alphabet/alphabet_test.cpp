// The whole alphabet in the real main window with the bundled data folder:
// every one of the 33 letters, typed into the text area, shows its own text
// and picture and plays its own sound to the end, with no beep and no error
// box; a key typed while a sound plays changes nothing.
#include "app/jpeg_image.h"
#include "app/scripted_dialogs.h"
#include "app/text_lines.h"
#include "app/user_dialogs.h"
#include "platform/mci/fake_audio_output.h"
#include "platform/mci/mci_testing.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "windows/main.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

#ifdef TOLVIKA_BUNDLED_DATA_FOLDER
const QString kDataFolder = QStringLiteral(TOLVIKA_BUNDLED_DATA_FOLDER "/");
#else
const QString kDataFolder;
#endif

const QString kAlphabet = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
// Frames the fake output plays past a sound's length, to be sure it has ended.
constexpr std::size_t kExtraFrames = 50;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A child with the Russian layout types the small letter.
void typeLetter(QWidget& memo, QChar capital)
{
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key(capital.unicode()), QString(capital.toLower()), Qt::NoModifier);
}

class AlphabetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (kDataFolder.isEmpty())
            GTEST_SKIP() << "built without the bundled data folder";
        TForm::setMainForm(&m_main);
        m_main.Show();
        // The test program's own folder has no DATA: point the window at the bundled one.
        m_dialogs.queueChoice(kDataFolder + QStringLiteral("data.txt"));
        QTest::mouseClick(m_main.btnDir, Qt::LeftButton);
        ASSERT_EQ(m_main.browser().DataFolder(), kDataFolder);
        m_dialogs.reset();
    }
    void TearDown() override { TForm::setMainForm(nullptr); }

    // The page on screen is the one made of these three files.
    void expectPage(const QString& text, const QString& picture, const QString& sound, const QString& what)
    {
        SCOPED_TRACE(what.toStdString());
        const QString shown = m_main.Memo1->Text();
        EXPECT_EQ(shown, textFromFileBytes(fileBytes(text)));
        EXPECT_FALSE(shown.isEmpty());

        const auto* jpeg = dynamic_cast<const TJPEGImage*>(m_main.Image1->Picture().Graphic());
        ASSERT_NE(jpeg, nullptr);
        EXPECT_EQ(jpeg->Data(), fileBytes(picture));
        const auto* fallback = dynamic_cast<const TJPEGImage*>(m_main.Image2->Picture().Graphic());
        ASSERT_NE(fallback, nullptr);
        EXPECT_NE(jpeg->Data(), fallback->Data());
        // Painting decodes it, as on screen.
        m_main.Image1->grab();
        EXPECT_TRUE(jpeg->Decoded());
        EXPECT_EQ(jpeg->Bitmap().size(), QSize(jpeg->Width(), jpeg->Height()));

        EXPECT_EQ(m_main.MediaPlayer1->FileName(), sound.toStdString());
        EXPECT_EQ(m_main.MediaPlayer1->LastError(), 0u);
        EXPECT_EQ(m_main.MediaPlayer1->Mode(), mdPlaying);
        EXPECT_FALSE(m_main.MediaPlayer1->isVisibleTo(&m_main)) << "the repeat control hides while the sound plays";
    }

    // Plays the current sound to its end and hands the window its notification.
    void playToEnd()
    {
        const std::uint32_t length = m_main.MediaPlayer1->Length();
        ASSERT_GT(length, 0u);
        // One frame a millisecond.
        ASSERT_TRUE(m_output.advance(length + kExtraFrames));
        QCoreApplication::processEvents();
        EXPECT_NE(m_main.MediaPlayer1->Mode(), mdPlaying);
        EXPECT_TRUE(m_main.MediaPlayer1->isVisibleTo(&m_main)) << "the repeat control is back after the sound";
        const std::vector<std::int16_t> played = m_output.played();
        EXPECT_TRUE(std::any_of(played.begin(), played.end(), [](std::int16_t s) { return s != 0; }))
            << "the sound was heard";
        m_output.clearPlayed();
    }

    void expectNoBeepOrBox()
    {
        EXPECT_EQ(m_dialogs.beeps(), 0);
        for (const ScriptedDialogs::ErrorBox& box : m_dialogs.errorBoxes())
            ADD_FAILURE() << "error box: " << box.text.toStdString();
    }

    ScriptedDialogs m_dialogs;
    UserDialogsOverride m_dialogsScope{m_dialogs};
    mci::FakeAudioOutput m_output;
    mci::ScopedAudioOutputForTesting m_audioScope{m_output};
    TfmMain m_main;
};

TEST_F(AlphabetTest, EveryLetterShowsAndPlaysItsOwnPage)
{
    // The welcome button first: the welcome page of the chosen folder.
    QTest::mouseClick(m_main.SpeedButton3, Qt::LeftButton);
    expectPage(kDataFolder + "Main/welcome_text.txt", kDataFolder + "Main/welcome_img.jpg",
               kDataFolder + "Main/welcome_sound.wav", QStringLiteral("welcome"));
    playToEnd();
    expectNoBeepOrBox();

    for (qsizetype i = 0; i < kAlphabet.size(); ++i) {
        const QChar letter = kAlphabet[i];
        const QString folder = kDataFolder + letter + QLatin1Char('/');
        typeLetter(*m_main.Memo1, letter);
        EXPECT_EQ(m_main.Memo1->Lines().value(0).count(letter, Qt::CaseInsensitive) > 0, true)
            << "the first line of " << QString(letter).toStdString() << " names it";
        expectPage(folder + "letter_text.txt", folder + "letter_img.jpg", folder + "letter_voice.wav", QString(letter));

        // The next key, typed while this sound plays, is ignored.
        typeLetter(*m_main.Memo1, kAlphabet[(i + 1) % kAlphabet.size()]);
        EXPECT_EQ(m_main.MediaPlayer1->FileName(), (folder + "letter_voice.wav").toStdString());
        EXPECT_EQ(m_main.Memo1->Text(), textFromFileBytes(fileBytes(folder + "letter_text.txt")));

        playToEnd();
        expectNoBeepOrBox();
    }
}

} // namespace
