// Damaged and odd data folders end to end: each gives its fallback or one
// error box with its exact words, the rest of the page as far as it got,
// the program answers the next key as usual, and nothing in the data folder
// is written.
#include "tests/e2e/alphabet.h"
#include "tests/e2e/main_window_rig.h"
#include "tests/support/ordinary_user.h"

#include "app/application.h"
#include "platform/ui/memo.h"
#include "player/media_player.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

#include <jpeglib.h>
// After jpeglib.h: the decoder's message codes.
#include <jerror.h>

using namespace e2e;

namespace {

QString jpegError(int code) { return QStringLiteral("JPEG error #%1.").arg(code); }

// A started window on a folder with the welcome page, Я's complete page and
// whatever the test puts under Ф; the folder's listing is taken first.
struct BadInputRig : MainWindowRig {
    ContentFolder folder;
    QStringList listingBefore;

    explicit BadInputRig(const std::function<void(ContentFolder&)>& damage)
    {
        folder.writeWelcome(welcomeContent());
        folder.writeLetter(kYa, letterContent(kYa));
        damage(folder);
        listingBefore = folder.listing();
        startOn(folder);
    }

    void expectOneErrorBox(const QString& text)
    {
        ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
        EXPECT_EQ(dialogs.errorBoxes()[0].text, text);
        EXPECT_EQ(dialogs.errorBoxes()[0].caption, TApplication::instance()->ApplicationTitle());
    }

    // The next key shows Я's page and plays its sound as on any day, and the folder is as it was.
    void expectNextKeyAnsweredAndNothingWritten()
    {
        const PageContent ya = letterContent(kYa);
        const auto boxes = dialogs.errorBoxes().size();
        const int beeps = dialogs.beeps();
        playToEnd();
        type(QStringLiteral("z"));
        EXPECT_EQ(lines(), ya.lines);
        EXPECT_TRUE(closeColours(paintedCentre(), ya.colour));
        const int heardBefore = heard(ya.level);
        playToEnd();
        EXPECT_EQ(heard(ya.level) - heardBefore, ya.frames);
        EXPECT_TRUE(repeatVisible());
        EXPECT_EQ(dialogs.errorBoxes().size(), boxes);
        EXPECT_EQ(dialogs.beeps(), beeps);
        EXPECT_EQ(folder.listing(), listingBefore);
    }
};

} // namespace

// An empty data folder: both kinds of page fall back with one beep each, and
// no sound is played; the next key is answered the same way.
TEST(BadInput, EmptyDataFolder)
{
    MainWindowRig rig;
    ContentFolder empty;
    const QStringList before = empty.listing();
    rig.start();
    rig.chooseFolder(empty.markerFile());
    rig.dialogs.reset();

    rig.clickWelcome();
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid welcome text data!")});
    EXPECT_EQ(rig.pictureData(), rig.fallbackData());
    EXPECT_EQ(rig.dialogs.beeps(), 1);
    EXPECT_FALSE(rig.repeatVisible());
    for (const QString& key : {QStringLiteral("a"), QStringLiteral("z")}) {
        rig.type(key);
        EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
        EXPECT_EQ(rig.pictureData(), rig.fallbackData());
        EXPECT_FALSE(rig.repeatVisible());
    }
    EXPECT_EQ(rig.dialogs.beeps(), 3);
    EXPECT_EQ(rig.output.openCount(), 0) << "nothing was played";
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    EXPECT_EQ(empty.listing(), before);
}

// A letter folder with only its picture: the message line, that picture, one beep, no sound.
TEST(BadInput, LetterFolderWithOnlyThePicture)
{
    const PageContent ef = letterContent(kEf);
    BadInputRig rig([&](ContentFolder& f) { f.writePicture(kEf + "/letter_img.jpg", ef.colour); });
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
    EXPECT_TRUE(closeColours(rig.paintedCentre(), ef.colour));
    EXPECT_EQ(rig.dialogs.beeps(), 1);
    EXPECT_FALSE(rig.repeatVisible());
    EXPECT_FALSE(rig.soundPlaying());
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A letter folder with only its sound: the message line, the fallback picture, and the sound plays.
TEST(BadInput, LetterFolderWithOnlyTheSound)
{
    const PageContent ef = letterContent(kEf);
    BadInputRig rig([&](ContentFolder& f) { f.writeSound(kEf + "/letter_voice.wav", ef.level, ef.frames); });
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
    EXPECT_EQ(rig.pictureData(), rig.fallbackData());
    EXPECT_TRUE(rig.soundPlaying());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A directory named "letter_img.jpg" counts as a missing picture: the fallback, and the rest of the page as usual.
TEST(BadInput, DirectoryNamedLikeThePicture)
{
    const PageContent ef = letterContent(kEf);
    BadInputRig rig([&](ContentFolder& f) {
        f.writeText(kEf + "/letter_text.txt", ef.lines);
        f.makeDirectory(kEf + "/letter_img.jpg");
        f.writeSound(kEf + "/letter_voice.wav", ef.level, ef.frames);
    });
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), ef.lines);
    EXPECT_EQ(rig.pictureData(), rig.fallbackData());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames);
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A directory or a named pipe where the text should be is no file: the
// message line, without waiting on the pipe; picture and sound as usual.
TEST(BadInput, TextThatIsADirectoryOrAPipe)
{
    const PageContent ef = letterContent(kEf);
    const PageContent ve = letterContent(kVe);
    BadInputRig rig([&](ContentFolder& f) {
        f.makeDirectory(kEf + "/letter_text.txt");
        f.writePicture(kEf + "/letter_img.jpg", ef.colour);
        f.writeSound(kEf + "/letter_voice.wav", ef.level, ef.frames);
        f.makeFifo(kVe + "/letter_text.txt");
        f.writePicture(kVe + "/letter_img.jpg", ve.colour);
        f.writeSound(kVe + "/letter_voice.wav", ve.level, ve.frames);
    });
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
    EXPECT_TRUE(closeColours(rig.paintedCentre(), ef.colour));
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames);

    rig.type(QStringLiteral("d"));
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
    EXPECT_TRUE(closeColours(rig.paintedCentre(), ve.colour));
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ve.level), ve.frames);
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A text file that exists but may not be read ends the page at the text with
// "Cannot open file ..."; the picture and sound of the page before stay, and
// nothing of the new page is played.
TEST(BadInput, UnreadableTextFile)
{
    const PageContent ef = letterContent(kEf);
    const PageContent welcome = welcomeContent();
    BadInputRig rig([&](ContentFolder& f) {
        f.writeLetter(kEf, ef);
        QFile::setPermissions(f.filePath(kEf + "/letter_text.txt"), QFileDevice::Permissions());
    });
    {
        OrdinaryUser user;
        if (user.failed())
            GTEST_SKIP() << "running as root and cannot take an ordinary user's identity";
        rig.type(QStringLiteral("a"));
    }
    rig.expectOneErrorBox(QStringLiteral("Cannot open file ") + rig.folder.filePath(kEf + "/letter_text.txt") + ".");
    EXPECT_TRUE(rig.lines().isEmpty()) << "the text area was cleared before the text failed";
    EXPECT_EQ(rig.pictureData(), solidJpeg(welcome.colour)) << "the old picture stays";
    EXPECT_FALSE(rig.soundPlaying());
    rig.play(100);
    EXPECT_EQ(rig.heard(ef.level), 0);
    EXPECT_TRUE(rig.repeatVisible()) << "the control stays as it was";
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A text longer than the text area can hold ends the page at the text with
// "Text exceeds memo capacity"; the old picture stays and nothing is played.
TEST(BadInput, TextTooLongForTheTextArea)
{
    const PageContent ef = letterContent(kEf);
    BadInputRig rig([&](ContentFolder& f) {
        f.writeLetter(kEf, ef);
        f.writeBytes(kEf + "/letter_text.txt", QByteArray(TMemo::kCapacity + 1, 'a'));
    });
    rig.type(QStringLiteral("a"));
    rig.expectOneErrorBox(QStringLiteral("Text exceeds memo capacity."));
    EXPECT_TRUE(rig.lines().isEmpty());
    EXPECT_EQ(rig.pictureData(), solidJpeg(welcomeContent().colour));
    EXPECT_FALSE(rig.soundPlaying());
    rig.play(100);
    EXPECT_EQ(rig.heard(ef.level), 0);
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A picture with a bad JPEG header ends the page at the picture: the new
// text stays, the old picture stays, and the page's sound is not opened.
TEST(BadInput, JpegWithABadHeader)
{
    const PageContent ef = letterContent(kEf);
    const PageContent welcome = welcomeContent();
    BadInputRig rig([&](ContentFolder& f) {
        f.writeLetter(kEf, ef);
        f.writeBytes(kEf + "/letter_img.jpg", QByteArray("BM") + QByteArray(60, '\x01'));
    });
    rig.type(QStringLiteral("a"));
    rig.expectOneErrorBox(jpegError(JERR_NO_SOI));
    EXPECT_EQ(rig.lines(), ef.lines);
    EXPECT_EQ(rig.pictureData(), solidJpeg(welcome.colour));
    EXPECT_TRUE(closeColours(rig.paintedCentre(), welcome.colour));
    EXPECT_FALSE(rig.soundPlaying());
    rig.play(100);
    EXPECT_EQ(rig.heard(ef.level), 0);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// A JPEG whose header is good but whose body cannot be decoded, and an empty
// JPEG file, load with the page and its sound; the decoding error comes in one
// box at the first painting and never again.
TEST(BadInput, JpegThatFailsAtItsFirstPainting)
{
    const PageContent ef = letterContent(kEf);
    const PageContent ve = letterContent(kVe);
    BadInputRig rig([&](ContentFolder& f) {
        f.writeLetter(kEf, ef);
        f.writeBytes(kEf + "/letter_img.jpg", withUndefinedScanTables(solidJpeg(ef.colour)));
        f.writeLetter(kVe, ve);
        f.writeBytes(kVe + "/letter_img.jpg", QByteArray());
    });
    struct Case {
        QString key;
        PageContent page;
        QString box;
    };
    for (const Case& c : {Case{QStringLiteral("a"), ef, jpegError(JERR_NO_HUFF_TABLE)},
                          Case{QStringLiteral("d"), ve, QStringLiteral("JPEG error #41.")}}) {
        SCOPED_TRACE(c.key.toStdString());
        rig.dialogs.reset();
        const int paints = rig.pictureReceivedPaints();
        rig.type(c.key);
        rig.paintedCentre();
        ASSERT_GT(rig.pictureReceivedPaints(), paints) << "the picture was painted";
        rig.expectOneErrorBox(c.box);
        EXPECT_EQ(rig.lines(), c.page.lines);
        EXPECT_TRUE(rig.soundPlaying()) << "the page and its sound came first";
        rig.paintedCentre();
        rig.main.repaint();
        EXPECT_EQ(rig.dialogs.errorBoxes().size(), 1u) << "reported once only";
        rig.playToEnd();
        EXPECT_EQ(rig.heard(c.page.level), c.page.frames);
        EXPECT_TRUE(rig.repeatVisible());
        EXPECT_EQ(rig.dialogs.beeps(), 0);
    }
    rig.expectNextKeyAnsweredAndNothingWritten();
}

// Sounds the device refuses to open end the page at the sound with the media
// layer's words; text and picture are already shown, and nothing plays.
TEST(BadInput, WavThatTheDeviceRefuses)
{
    const PageContent ef = letterContent(kEf);
    const QByteArray good = constantWav(ef.level, ef.frames);
    const QByteArray refused[] = {
        QByteArray(), // empty
        QByteArray("RIFF\x24\x00\x00\x00WAVEjunk", 16), // no format chunk
        constantWav(ef.level, ef.frames, kSoundRate, 3), // three channels
        good.left(good.size() - 10), // data cut short
    };
    const QString words = QStringLiteral(
        "The file is not a WAV sound that can be played, or it is damaged or incomplete.");
    for (const QByteArray& sound : refused) {
        SCOPED_TRACE(sound.size());
        BadInputRig rig([&](ContentFolder& f) {
            f.writeLetter(kEf, ef);
            f.writeBytes(kEf + "/letter_voice.wav", sound);
        });
        rig.type(QStringLiteral("a"));
        rig.expectOneErrorBox(words);
        EXPECT_EQ(rig.lines(), ef.lines);
        EXPECT_TRUE(closeColours(rig.paintedCentre(), ef.colour));
        EXPECT_FALSE(rig.soundPlaying());
        rig.play(100);
        EXPECT_EQ(rig.heard(ef.level), 0);
        EXPECT_EQ(rig.dialogs.beeps(), 0);
        rig.expectNextKeyAnsweredAndNothingWritten();
    }
}
