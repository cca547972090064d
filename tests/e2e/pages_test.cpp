// Letter pages end to end: real key events reach the text area of the real
// main window, which reads the page's files from a folder on disk, paints its
// picture and plays its sound through the media layer.
#include "tests/e2e/alphabet.h"
#include "tests/e2e/main_window_rig.h"

#include "app/file_services.h"
#include "platform/ui/memo.h"
#include "player/media_player.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace e2e;

namespace {

// A rig started on a folder holding the welcome page and all 33 letters.
struct AlphabetRig : MainWindowRig {
    ContentFolder folder;
    AlphabetRig()
    {
        writeAlphabet(folder);
        startOn(folder);
    }

    // Types the character and checks that `letter`'s page is shown, painted and heard in full.
    void expectPage(const QString& character, const QString& letter)
    {
        SCOPED_TRACE(("typed \"" + character + "\", expecting " + letter).toStdString());
        const PageContent page = letterContent(letter);
        const int heardBefore = heard(page.level);
        const int beepsBefore = dialogs.beeps();
        type(character);
        EXPECT_EQ(lines(), page.lines);
        EXPECT_EQ(pictureData(), solidJpeg(page.colour));
        EXPECT_TRUE(soundPlaying());
        EXPECT_FALSE(repeatVisible()) << "hidden while its sound plays";
        playToEnd();
        EXPECT_EQ(heard(page.level) - heardBefore, page.frames) << "the whole sound, once";
        EXPECT_TRUE(repeatVisible()) << "back once the sound has ended";
        EXPECT_EQ(dialogs.beeps(), beepsBefore);
        EXPECT_TRUE(dialogs.errorBoxes().empty());
    }
};

} // namespace

// Every letter's page is reached by its Latin-layout key and by its small and
// capital Cyrillic letter, read from the letter's folder on disk.
TEST(KeysToPages, EveryLetterByEveryLayout)
{
    AlphabetRig rig;
    for (int i = 0; i < kLetters.size(); ++i) {
        const QString letter = kLetters.mid(i, 1);
        rig.expectPage(kLatinKeys.mid(i, 1), letter);
        rig.expectPage(letter.toLower(), letter);
        rig.expectPage(letter, letter);
    }
}

// "a", "A", "ф" and "Ф" all show Ф's page, painted in its colour, and each
// press plays its sound again; "f" and "F" (the key of А) show А's.
TEST(KeysToPages, FourKeysOfEf)
{
    AlphabetRig rig;
    const PageContent ef = letterContent(QStringLiteral("Ф"));
    for (const QString& key : {QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("ф"), QStringLiteral("Ф")}) {
        rig.expectPage(key, QStringLiteral("Ф"));
        EXPECT_TRUE(closeColours(rig.paintedCentre(), ef.colour)) << key.toStdString();
    }
    EXPECT_EQ(rig.heard(ef.level), 4 * ef.frames);
    const PageContent a = letterContent(QStringLiteral("А"));
    for (const QString& key : {QStringLiteral("f"), QStringLiteral("F")}) {
        rig.expectPage(key, QStringLiteral("А"));
        EXPECT_TRUE(closeColours(rig.paintedCentre(), a.colour)) << key.toStdString();
    }
}

// The grave-accent key and Ё typed directly, small or capital, show Ё's page, from the folder named "Ё".
TEST(KeysToPages, KeysOfYo)
{
    AlphabetRig rig;
    for (const QString& key : {QStringLiteral("`"), QStringLiteral("ё"), QStringLiteral("Ё"), QStringLiteral("~")})
        rig.expectPage(key, QStringLiteral("Ё"));
}

// The shifted punctuation keys carry the same letters as their unshifted characters.
TEST(KeysToPages, ShiftedPunctuationKeys)
{
    AlphabetRig rig;
    const QString keys = QStringLiteral("<>:{}~\"");
    const QString letters = QStringLiteral("БЮЖХЪЁЭ");
    for (int i = 0; i < keys.size(); ++i)
        rig.expectPage(keys.mid(i, 1), letters.mid(i, 1));
}

// A key that stands for no letter beeps once and leaves the page, its picture and the player alone.
TEST(KeysToPages, KeyForNoLetterBeepsAndLeavesThePage)
{
    AlphabetRig rig;
    rig.expectPage(QStringLiteral("a"), QStringLiteral("Ф"));
    const PageContent ef = letterContent(QStringLiteral("Ф"));
    int beeps = rig.dialogs.beeps();
    for (const QString& key : {QStringLiteral("7"), QStringLiteral(" "), QStringLiteral("/"), QStringLiteral("№")}) {
        SCOPED_TRACE(key.toStdString());
        rig.type(key);
        EXPECT_EQ(rig.dialogs.beeps(), ++beeps);
        EXPECT_EQ(rig.lines(), ef.lines);
        EXPECT_EQ(rig.pictureData(), solidJpeg(ef.colour));
        EXPECT_TRUE(closeColours(rig.paintedCentre(), ef.colour));
        EXPECT_FALSE(rig.soundPlaying());
        EXPECT_TRUE(rig.repeatVisible());
    }
    rig.play(100);
    EXPECT_EQ(rig.heard(ef.level), ef.frames) << "no sound was started again";
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    rig.expectPage(QStringLiteral("z"), QStringLiteral("Я"));
}

// A letter without a folder shows the message, the built-in fallback picture, beeps once and plays nothing.
TEST(KeysToPages, LetterWithoutFolder)
{
    MainWindowRig rig;
    ContentFolder folder;
    folder.writeWelcome(welcomeContent());
    folder.writeLetter(QStringLiteral("Я"), letterContent(QStringLiteral("Я")));
    rig.startOn(folder);
    ASSERT_TRUE(rig.repeatVisible());
    ASSERT_FALSE(rig.fallbackData().isEmpty()) << "Image2 holds the built-in picture";

    rig.type(QStringLiteral("ф"));
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
    EXPECT_EQ(rig.pictureData(), rig.fallbackData());
    EXPECT_EQ(rig.dialogs.beeps(), 1);
    EXPECT_FALSE(rig.repeatVisible());
    EXPECT_FALSE(rig.soundPlaying());
    rig.play(100);
    EXPECT_EQ(rig.heard(kWelcomeLevel), 0) << "the player's old sound is not played";
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());

    const PageContent ya = letterContent(QStringLiteral("Я"));
    rig.type(QStringLiteral("z"));
    EXPECT_EQ(rig.lines(), ya.lines);
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ya.level), ya.frames);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 1);
}

// Shown with no data folder beside the executable, the window falls back on
// the welcome page, beeps once, plays nothing and hides the repeat control.
TEST(StartWithoutData, WelcomeFallbacks)
{
    const QString besideExecutable = FolderPart(ProgramFilePath()) + QStringLiteral("DATA/");
    ASSERT_FALSE(QFileInfo::exists(besideExecutable))
        << "this test needs no folder at " << besideExecutable.toStdString();
    MainWindowRig rig;
    rig.start();
    EXPECT_EQ(rig.folderText(), besideExecutable);
    EXPECT_EQ(rig.main.browser().DataFolder(), besideExecutable);
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid welcome text data!")});
    EXPECT_EQ(rig.pictureData(), rig.fallbackData());
    EXPECT_EQ(rig.dialogs.beeps(), 1);
    EXPECT_FALSE(rig.repeatVisible());
    EXPECT_TRUE(rig.main.browser().AutoPlayArmed());
    EXPECT_FALSE(rig.main.MediaPlayer1->IsOpen());
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    EXPECT_EQ(rig.output.openCount(), 0) << "nothing was played";
}

// The folder chosen with btnDir is shown and used from the next page on; the
// page on screen stays; Help reads its text from there; a cancelled choice changes nothing.
TEST(DataFolderChoice, NextPageComesFromTheChosenFolder)
{
    ContentFolder first;
    writeAlphabet(first);
    first.writeHelp({QStringLiteral("Первая помощь")});
    ContentFolder second;
    PageContent otherEf = letterContent(QStringLiteral("Ф"));
    otherEf.lines = QStringList{QStringLiteral("Другая Ф")};
    otherEf.colour = QColor(250, 250, 250);
    otherEf.level = 9000;
    second.writeLetter(QStringLiteral("Ф"), otherEf);
    second.writeHelp({QStringLiteral("Вторая помощь")});

    AlphabetRig rig;
    rig.chooseFolder(first.markerFile());
    EXPECT_EQ(rig.folderText(), first.path());
    rig.expectPage(QStringLiteral("a"), QStringLiteral("Ф"));

    rig.chooseFolder(second.markerFile());
    EXPECT_EQ(rig.folderText(), second.path());
    EXPECT_EQ(rig.main.browser().DataFolder(), second.path());
    EXPECT_EQ(rig.lines(), letterContent(QStringLiteral("Ф")).lines) << "nothing is reloaded";
    EXPECT_FALSE(rig.soundPlaying());

    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), otherEf.lines);
    EXPECT_TRUE(closeColours(rig.paintedCentre(), otherEf.colour));
    rig.playToEnd();
    EXPECT_EQ(rig.heard(otherEf.level), otherEf.frames);

    rig.clickHelp();
    EXPECT_EQ(rig.help.Memo1->Lines(), QStringList{QStringLiteral("Вторая помощь")});
    rig.help.Close();

    const int offered = static_cast<int>(rig.dialogs.offeredFileNames().size());
    rig.cancelFolderChoice();
    EXPECT_EQ(static_cast<int>(rig.dialogs.offeredFileNames().size()), offered + 1) << "the dialog ran";
    EXPECT_EQ(rig.dialogs.offeredFileNames().last(), second.markerFile()) << "it starts on the last choice";
    EXPECT_EQ(rig.folderText(), second.path());
    EXPECT_EQ(rig.main.browser().DataFolder(), second.path());
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), otherEf.lines);
    rig.playToEnd();
    EXPECT_EQ(rig.heard(otherEf.level), 2 * otherEf.frames);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
}

// A data folder whose path holds Cyrillic letters and spaces is read like any other.
TEST(DataFolderChoice, FolderWithCyrillicNameAndSpaces)
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    ContentFolder folder(place.filePath(QStringLiteral("Азбука для Маши")));
    writeAlphabet(folder);
    const QStringList before = folder.listing();
    MainWindowRig rig;
    rig.startOn(folder);
    EXPECT_EQ(rig.folderText(), folder.path());
    const PageContent yo = letterContent(QStringLiteral("Ё"));
    rig.type(QStringLiteral("ё"));
    EXPECT_EQ(rig.lines(), yo.lines);
    EXPECT_TRUE(closeColours(rig.paintedCentre(), yo.colour));
    rig.playToEnd();
    EXPECT_EQ(rig.heard(yo.level), yo.frames);
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    EXPECT_EQ(folder.listing(), before);
}
