// One error, one box: an error raised anywhere while the program runs on a
// real display is shown in exactly one error box; after OK the main window
// has the keyboard again with the focus in the text area, and every later key
// is handled exactly once (one beep for a key that stands for no letter, one
// page for a letter).
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/letters.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "platform/ui/memo.h"
#include "tests/support/jpeg_encoding.h"
#include "tests/support/test_files.h"

#include <QImage>
#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <thread>

namespace desktop {
namespace {

const QString kBitmapError = QStringLiteral("JPEG error #53.");
const QString kInvalidWave = QStringLiteral(
    "The file is not a WAV sound that can be played, or it is damaged or incomplete.");
const QString kTooLongText = QStringLiteral("Text exceeds memo capacity.");

QByteArray notAWave() { return QByteArray("this is a text file, not a recording\r\n"); }

// One byte more than the text area holds, on a single line of letters.
QByteArray oversizedText() { return QByteArray(TMemo::kCapacity + 1, 'a'); }

QByteArray picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    return testcontent::encodeJpeg(image);
}

class ErrorBox : public ::testing::Test {
protected:
    void SetUp() override { m_folder = alphabetFolder(); }

    void write(const QString& relative, const QByteArray& bytes) { m_folder->writeBytes(relative, bytes); }
    // Changes a file of the running program's data folder.
    void change(const QString& relative, const QByteArray& bytes)
    {
        testfiles::writeFile(QString::fromStdString((m_run->dataFolder() / relative.toStdString()).string()), bytes);
    }

    void launch() { m_run = std::make_unique<TolvikaRun>(LaunchOptions{.data = m_folder->path().toStdString()}); }

    // Starts the program and waits for the welcome sound to end.
    void start()
    {
        launch();
        m_run->mainWindow();
        ASSERT_TRUE(m_run->waitForRepeatControl(true)) << "the welcome sound never ended";
    }

    void click(const QString& control) { session().screen().click(m_run->centreOf(control)); }

    // Exactly one box, whose text names the error; Enter closes it and none follows.
    void expectOneBox(const QString& text, std::size_t windowsAfter = 0)
    {
        ASSERT_TRUE(m_run->waitForOtherWindows(1)) << "boxes on screen: " << m_run->otherWindows().size();
        EXPECT_TRUE(boxShows(text)) << "the box does not read " << text.toStdString();
        session().screen().key("Return");
        EXPECT_TRUE(m_run->waitForOtherWindows(windowsAfter))
            << "windows on screen after OK: " << m_run->otherWindows().size();
    }

    bool boxShows(const QString& text)
    {
        const auto tree = m_run->controls();
        return tree && tree->find([&](const Accessible& a) { return a.name == text || a.text == text; });
    }

    // After the box: the text area has the focus, a key that stands for no
    // letter beeps once, and a letter shows its page.
    void expectKeysHandledOnce(const QString& letter = QStringLiteral("В"))
    {
        EXPECT_TRUE(waitUntil([&] { return m_run->memoFocused(); })) << "the text area did not get the focus back";
        XDesktop& screen = session().screen();
        const int before = settled([&] { return screen.bells(); });
        screen.key("1");
        EXPECT_EQ(settled([&] { return screen.bells(); }), before + 1) << "beeps for one key";
        screen.key(keysymOf(letter));
        EXPECT_TRUE(waitUntil([&] { return m_run->memoText() == pageText(pageIndexOf(letter)); }))
            << "text area: " << m_run->memoText().toStdString();
        EXPECT_EQ(settled([&] { return m_run->otherWindows().size(); }), 0u);
        EXPECT_EQ(screen.bells(), before + 1);
    }

    std::unique_ptr<testcontent::ContentFolder> m_folder;
    std::unique_ptr<TolvikaRun> m_run;
};

TEST_F(ErrorBox, KeyHandlerPictureThatIsABitmap)
{
    write(kLetterB + QStringLiteral("/letter_img.jpg"), bitmapBytes());
    start();
    session().screen().key(keysymOf(kLetterB));
    expectOneBox(kBitmapError);
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, KeyHandlerSoundThatIsNoWave)
{
    write(kLetterB + QStringLiteral("/letter_voice.wav"), notAWave());
    start();
    session().screen().key(keysymOf(kLetterB));
    expectOneBox(kInvalidWave);
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, KeyHandlerTextLargerThanTheTextArea)
{
    write(kLetterB + QStringLiteral("/letter_text.txt"), oversizedText());
    start();
    session().screen().key(keysymOf(kLetterB));
    expectOneBox(kTooLongText);
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, KeyHandlerPictureWhoseHeaderClaimsAHugeSize)
{
    write(kLetterB + QStringLiteral("/letter_img.jpg"), testcontent::withFrameSize(picture(64, 48), 12000, 12000));
    start();
    session().screen().key(keysymOf(kLetterB));
    expectOneBox(QStringLiteral("JPEG error #%1.").arg(JERR_IMAGE_TOO_BIG));
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, PaintingPictureWhoseBodyCannotBeDecoded)
{
    write(kLetterB + QStringLiteral("/letter_img.jpg"), testcontent::withUndefinedScanTables(picture(64, 48)));
    start();
    session().screen().key(keysymOf(kLetterB));
    expectOneBox(QStringLiteral("JPEG error #%1.").arg(JERR_NO_HUFF_TABLE));
    expectKeysHandledOnce();
}

// The next key typed while a letter's page is still being drawn (its large
// picture decodes at the first paint) and after its short sound has ended:
// that sound's completion message, handled after the key, must not act on
// the new page. The new page's sound being damaged, one box shows, not also a
// second one for stopping a device that is no longer open.
TEST_F(ErrorBox, KeyTypedWhileThePageIsDrawnAfterItsSoundEnded)
{
    write(kLetterB + QStringLiteral("/letter_img.jpg"), picture(7000, 7000));
    write(kLetterB + QStringLiteral("/letter_voice.wav"), testcontent::sineWav(440, 50));
    write(kLetterV + QStringLiteral("/letter_voice.wav"), notAWave());
    start();
    session().screen().key(keysymOf(kLetterB));
    std::this_thread::sleep_for(150ms);
    session().screen().key(keysymOf(kLetterV));
    ASSERT_TRUE(waitUntil([&] { return !m_run->otherWindows().empty(); })) << "no box came";
    EXPECT_EQ(settled([&] { return m_run->otherWindows().size(); }), 1u) << "boxes on screen";
    expectOneBox(kInvalidWave);
    expectKeysHandledOnce(kLetterB);
}

TEST_F(ErrorBox, RepeatControlWhoseSoundWasDamagedMeanwhile)
{
    start();
    change(QStringLiteral("Main/welcome_sound.wav"), notAWave());
    click(QStringLiteral("Повторить"));
    expectOneBox(kInvalidWave);
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, SoundCheckBoxWhoseSoundWasDamagedMeanwhile)
{
    start();
    click(QStringLiteral("Sound"));
    ASSERT_TRUE(m_run->waitForRepeatControl(false));
    change(QStringLiteral("Main/welcome_sound.wav"), notAWave());
    click(QStringLiteral("Sound"));
    expectOneBox(kInvalidWave);
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, WelcomeButtonWhosePictureWasDamagedMeanwhile)
{
    start();
    change(QStringLiteral("Main/welcome_img.jpg"), bitmapBytes());
    click(QStringLiteral("A"));
    expectOneBox(kBitmapError);
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, HelpWindowWhoseTextIsTooLarge)
{
    write(QStringLiteral("help.txt"), oversizedText());
    start();
    click(QStringLiteral("Помощь"));
    // The Help window still opens once the box is closed; Enter closes it too.
    expectOneBox(kTooLongText, 1);
    ASSERT_EQ(m_run->otherWindows().size(), 1u);
    EXPECT_EQ(m_run->otherWindows().front().title, "Помощь");
    session().screen().key("Return");
    EXPECT_TRUE(m_run->waitForOtherWindows(0));
    expectKeysHandledOnce();
}

TEST_F(ErrorBox, StartUpWelcomePictureThatIsABitmap)
{
    write(QStringLiteral("Main/welcome_img.jpg"), bitmapBytes());
    launch();
    // The box comes before the main window; the window shows once it is closed.
    ASSERT_TRUE(waitUntil([&] { return !session().screen().windowsOf(m_run->pid()).empty(); }));
    ASSERT_TRUE(waitUntil([&] { return boxShows(kBitmapError); }));
    session().screen().key("Return");
    m_run->mainWindow();
    EXPECT_TRUE(m_run->waitForOtherWindows(0));
    expectKeysHandledOnce();
}

} // namespace
} // namespace desktop
