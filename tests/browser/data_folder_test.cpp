#include "tests/browser/testing/browser_rig.h"

#include "app/core/path_encoding.h"
#include "tests/support/byte_named_folder.h"

#include <gtest/gtest.h>

using Entries = std::vector<std::string>;

// Before the window is shown the data folder and the letter are empty and nothing is armed.
TEST(DataFolder, EmptyBeforeTheWindowIsShown)
{
    BrowserRig rig;
    EXPECT_TRUE(rig.browser.DataFolder().isEmpty());
    EXPECT_EQ(rig.browser.CurrentLetter(), LetterBrowser::kNoLetterYet);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
}

// Showing the window puts "DATA/" beside the executable into DataFolder and eDataFolder before the welcome page loads.
TEST(DataFolder, StartSetsTheFolderBesideTheExecutable)
{
    const struct {
        const char* executable;
        const char* folder;
    } cases[] = {
        {"/opt/kids/tolvika", "/opt/kids/DATA/"},
        {"/tolvika", "/DATA/"},
        {"/home/маша/игры/tolvika", "/home/маша/игры/DATA/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executable);
        BrowserRig rig;
        rig.services.programFilePath = QString::fromUtf8(c.executable);
        rig.browser.FormActivate();
        const QString folder = QString::fromUtf8(c.folder);
        EXPECT_EQ(rig.browser.DataFolder(), folder);
        EXPECT_EQ(rig.view.dataFolderField, folder);
        ASSERT_GE(rig.journal.entries().size(), 2u);
        EXPECT_EQ(rig.journal.entries()[0], "field " + folder.toStdString());
        EXPECT_EQ(rig.journal.entries()[1], "clear lines");
    }
}

// An error while the welcome page loads at start ends the handler with the folder already set and shown.
TEST(DataFolder, StartErrorKeepsTheFolder)
{
    BrowserRig rig;
    rig.completeWelcome();
    rig.view.unreadable.insert(BrowserRig::kData + "Main/welcome_img.jpg");
    EXPECT_THROW(rig.browser.FormActivate(), EFakeFailure);
    EXPECT_EQ(rig.browser.DataFolder(), BrowserRig::kData);
    EXPECT_EQ(rig.view.dataFolderField, BrowserRig::kData);
    EXPECT_EQ(rig.view.lines, (QStringList{"Hello", "Press a key"}));
}

// Choosing a "data.txt" makes its folder the data folder, shown and stored,
// reloads nothing, and the next page, the welcome button and the Help window read from there.
TEST(DataFolder, ChosenMarkerFileSelectsItsFolder)
{
    BrowserRig rig;
    rig.completeLetter("Б");
    rig.start();
    const QStringList pageBefore = rig.view.lines;
    rig.services.dialogChoice = QStringLiteral("/media/content/data.txt");

    rig.browser.btnDirClick();
    EXPECT_EQ(rig.journal.entries(), (Entries{"dialog", "field /media/content/"}));
    EXPECT_EQ(rig.view.dataFolderField, QStringLiteral("/media/content/"));
    EXPECT_EQ(rig.browser.DataFolder(), QStringLiteral("/media/content/"));
    EXPECT_EQ(rig.view.lines, pageBefore);

    rig.services.presentFiles.insert(QStringLiteral("/media/content/Б/letter_text.txt"));
    rig.view.textFiles.insert(QStringLiteral("/media/content/Б/letter_text.txt"), {"elsewhere"});
    rig.press(0xC1);
    EXPECT_EQ(rig.view.lines, QStringList{"elsewhere"});
    EXPECT_EQ(rig.view.picture, FakeView::kFallbackPicture) << "the old folder's picture is not used";

    rig.journal.clear();
    rig.browser.SpeedButton3Click();
    ASSERT_GE(rig.journal.entries().size(), 2u);
    EXPECT_EQ(rig.journal.entries()[1], "add line Invalid welcome text data!");
}

// Cancelling the dialog changes nothing.
TEST(DataFolder, CancelledDialogChangesNothing)
{
    BrowserRig rig;
    rig.start();
    rig.services.dialogChoice.reset();
    rig.browser.btnDirClick();
    EXPECT_EQ(rig.journal.entries(), Entries{"dialog"});
    EXPECT_EQ(rig.browser.DataFolder(), BrowserRig::kData);
    EXPECT_EQ(rig.view.dataFolderField, BrowserRig::kData);
}

// A folder whose name is not UTF-8 ("caf" and Latin-1 0xE9) keeps its bytes in
// DataFolder, from the executable's path and from the folder dialog, so its
// pages are found; eDataFolder shows it with U+FFFD for the byte.
TEST(DataFolder, FolderNamedWithBytesThatAreNoUtf8)
{
    const testcontent::Utf8CharacterSet utf8;
    BrowserRig rig;
    rig.services.programFilePath = pathFromBytes("/opt/caf\xE9/tolvika");
    const QString welcomeText = pathFromBytes("/opt/caf\xE9/DATA/Main/welcome_text.txt");
    rig.services.presentFiles.insert(welcomeText);
    rig.view.textFiles.insert(welcomeText, {"Hello"});
    rig.browser.FormActivate();
    EXPECT_EQ(pathBytes(rig.browser.DataFolder()), QByteArray("/opt/caf\xE9/DATA/"));
    EXPECT_EQ(rig.view.dataFolderField, QStringLiteral("/opt/caf\uFFFD/DATA/"));
    EXPECT_EQ(rig.view.lines, QStringList{"Hello"});

    rig.services.dialogChoice = pathFromBytes("/media/\xE9t\xE9/data.txt");
    rig.browser.btnDirClick();
    EXPECT_EQ(pathBytes(rig.browser.DataFolder()), QByteArray("/media/\xE9t\xE9/"));
    EXPECT_EQ(rig.view.dataFolderField, QStringLiteral("/media/\uFFFDt\uFFFD/"));
}
