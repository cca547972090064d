#include "browser/key_mapping.h"
#include "tests/browser/testing/browser_rig.h"

#include <gtest/gtest.h>

using Entries = std::vector<std::string>;

namespace {

const QString kBeText = BrowserRig::kData + QStringLiteral("Б/letter_text.txt");
const QString kBePicture = BrowserRig::kData + QStringLiteral("Б/letter_img.jpg");
const QString kBeSound = BrowserRig::kData + QStringLiteral("Б/letter_voice.wav");
constexpr std::uint8_t kBe = 0xC1;

} // namespace

// With nothing in the data folder the welcome page shows its message, the
// fallback picture, beeps once, hides the repeat control and reports no sound.
TEST(ContentPages, EmptyDataFolderGivesTheWelcomeFallbacks)
{
    BrowserRig rig;
    rig.browser.FormActivate();
    EXPECT_EQ(rig.view.lines, QStringList{"Invalid welcome text data!"});
    EXPECT_EQ(rig.view.picture, FakeView::kFallbackPicture);
    EXPECT_EQ(rig.services.beeps, 1);
    EXPECT_FALSE(rig.view.visible);
    EXPECT_TRUE(rig.player.fileName.isEmpty());
    EXPECT_EQ(rig.journal.entries(),
              (Entries{"field /opt/kids/DATA/", "clear lines", "add line Invalid welcome text data!",
                       "fallback picture", "beep", "hide player"}));
    EXPECT_FALSE(rig.browser.LoadInitialData());
    EXPECT_EQ(rig.services.beeps, 2);
}

// A letter whose folder is missing gets its message, the fallback picture and one beep, and plays nothing.
TEST(ContentPages, EmptyDataFolderGivesTheLetterFallbacks)
{
    BrowserRig rig;
    rig.start();
    rig.view.visible = true;
    rig.press(kBe);
    EXPECT_EQ(rig.browser.CurrentLetter(), kBe);
    EXPECT_EQ(rig.view.lines, QStringList{"Invalid text data!"});
    EXPECT_EQ(rig.view.picture, FakeView::kFallbackPicture);
    EXPECT_EQ(rig.services.beeps, 2) << "one at start for the welcome sound, one for the letter";
    EXPECT_FALSE(rig.view.visible);
    EXPECT_EQ(rig.journal.count("player play"), 0);
}

// A letter folder holding only its picture shows the message line, that picture, beeps once and reports no sound.
TEST(ContentPages, FolderWithOnlyThePicture)
{
    BrowserRig rig;
    rig.services.presentFiles.insert(kBePicture);
    rig.start();
    const int beepsBefore = rig.services.beeps;
    rig.press(kBe);
    EXPECT_EQ(rig.view.lines, QStringList{"Invalid text data!"});
    EXPECT_EQ(rig.view.picture, kBePicture);
    EXPECT_EQ(rig.services.beeps, beepsBefore + 1);
    EXPECT_EQ(rig.journal.entries(),
              (Entries{"clear lines", "add line Invalid text data!", "load picture " + kBePicture.toStdString(), "beep",
                       "hide player"}));
}

// A page whose sound exists but whose text and picture are missing reports the sound, and the key plays it.
TEST(ContentPages, SoundAloneIsEnoughToPlay)
{
    BrowserRig rig;
    rig.services.presentFiles.insert(kBeSound);
    rig.start();
    const int beepsBefore = rig.services.beeps;
    rig.press(kBe);
    EXPECT_EQ(rig.view.lines, QStringList{"Invalid text data!"});
    EXPECT_EQ(rig.view.picture, FakeView::kFallbackPicture);
    EXPECT_EQ(rig.services.beeps, beepsBefore);
    EXPECT_EQ(rig.player.fileName, kBeSound);
    EXPECT_TRUE(rig.player.playing);
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
}

// A complete page reads its three files from the data folder under the
// letter's own name and opens its sound; the welcome page reads from "Main/".
TEST(ContentPages, CompletePagesReadTheirThreeFiles)
{
    BrowserRig rig;
    rig.completeWelcome();
    rig.completeLetter("Б");
    rig.completeLetter("Ё");
    rig.start();

    rig.journal.clear();
    EXPECT_TRUE(rig.browser.LoadInitialData());
    EXPECT_EQ(rig.view.lines, (QStringList{"Hello", "Press a key"}));
    EXPECT_EQ(rig.journal.entries(),
              (Entries{"clear lines", "load text /opt/kids/DATA/Main/welcome_text.txt",
                       "load picture /opt/kids/DATA/Main/welcome_img.jpg",
                       "player file /opt/kids/DATA/Main/welcome_sound.wav",
                       "player open /opt/kids/DATA/Main/welcome_sound.wav"}));

    EXPECT_FALSE(rig.player.playing) << "opening the welcome sound again ended the one playing";
    rig.journal.clear();
    rig.press(kBe);
    EXPECT_EQ(rig.view.lines, QStringList{"Б text"});
    EXPECT_EQ(rig.view.picture, kBePicture);
    EXPECT_EQ(rig.player.openFile, kBeSound);
    const Entries expectedStart{"clear lines", "load text " + kBeText.toStdString(),
                                "load picture " + kBePicture.toStdString(), "player file " + kBeSound.toStdString(),
                                "player open " + kBeSound.toStdString()};
    ASSERT_GE(rig.journal.entries().size(), expectedStart.size());
    EXPECT_EQ(Entries(rig.journal.entries().begin(), rig.journal.entries().begin() + 5), expectedStart);

    rig.player.endSound();
    rig.press('`');
    EXPECT_EQ(rig.view.lines, QStringList{"Ё text"});
    EXPECT_EQ(rig.player.openFile, BrowserRig::kData + QStringLiteral("Ё/letter_voice.wav"));
}

// A page without a sound leaves the player on the previous page's file and does not reopen it.
TEST(ContentPages, MissingSoundKeepsThePreviousFile)
{
    BrowserRig rig;
    rig.completeLetter("Б");
    rig.start();
    rig.press(kBe);
    rig.player.endSound();
    rig.deliver();
    rig.journal.clear();

    rig.press('f'); // А has no folder
    EXPECT_EQ(rig.player.fileName, kBeSound);
    EXPECT_EQ(rig.player.openFile, kBeSound);
    EXPECT_EQ(rig.journal.count("player open " + kBeSound.toStdString()), 0);
    EXPECT_FALSE(rig.view.visible);
}

// An error raised by the picture step ends the load: the text stays, and the
// sound step and everything the caller would do after it never happen.
TEST(ContentPages, PictureErrorStopsTheLaterSteps)
{
    BrowserRig rig;
    rig.completeLetter("Б");
    rig.view.unreadable.insert(kBePicture);
    rig.start();
    rig.view.visible = true;
    const bool armedBefore = rig.browser.AutoPlayArmed();
    const int beepsBefore = rig.services.beeps;

    std::uint8_t key = kBe;
    EXPECT_THROW(rig.browser.FormKeyPress(key), EFakeFailure);
    EXPECT_EQ(rig.view.lines, QStringList{"Б text"});
    EXPECT_EQ(rig.view.picture, FakeView::kFallbackPicture) << "the welcome page's picture stays";
    EXPECT_TRUE(rig.player.fileName.isEmpty());
    EXPECT_EQ(rig.services.beeps, beepsBefore);
    EXPECT_TRUE(rig.view.visible);
    EXPECT_EQ(rig.browser.AutoPlayArmed(), armedBefore);
    EXPECT_EQ(rig.journal.entries().back(), "load picture " + kBePicture.toStdString());
}

// An unreadable text file ends the load right after the lines were cleared.
TEST(ContentPages, TextErrorStopsEverythingAfterIt)
{
    BrowserRig rig;
    rig.completeWelcome();
    rig.view.unreadable.insert(BrowserRig::kData + "Main/welcome_text.txt");
    EXPECT_THROW(rig.browser.FormActivate(), EFakeFailure);
    EXPECT_TRUE(rig.view.lines.isEmpty());
    EXPECT_EQ(rig.journal.entries().back(), "load text /opt/kids/DATA/Main/welcome_text.txt");
    EXPECT_EQ(rig.journal.count("player open /opt/kids/DATA/Main/welcome_sound.wav"), 0);
}

// A sound the device refuses ends the key's handler: text and picture stay, nothing is played or armed.
TEST(ContentPages, RefusedSoundEndsTheHandler)
{
    BrowserRig rig;
    rig.completeLetter("Б");
    rig.player.refused.insert(kBeSound);
    rig.start();
    std::uint8_t key = kBe;
    EXPECT_THROW(rig.browser.FormKeyPress(key), EFakeFailure);
    EXPECT_EQ(rig.view.lines, QStringList{"Б text"});
    EXPECT_EQ(rig.view.picture, kBePicture);
    EXPECT_FALSE(rig.player.playing);
    EXPECT_EQ(rig.journal.count("player play"), 0);
    EXPECT_TRUE(rig.browser.AutoPlayArmed()) << "left as the start set it";
}

// Nothing is cached: the same letter twice reads its files again and plays its sound again.
TEST(ContentPages, SameLetterTwiceReloadsAndReplays)
{
    BrowserRig rig;
    rig.completeLetter("Б");
    rig.start();
    rig.press(kBe);
    rig.player.endSound();
    rig.deliver();
    rig.view.textFiles[kBeText] = QStringList{"changed on disk"};
    rig.press(0xE1); // б
    EXPECT_EQ(rig.view.lines, QStringList{"changed on disk"});
    EXPECT_EQ(rig.journal.count("load text " + kBeText.toStdString()), 2);
    EXPECT_EQ(rig.journal.count("player play"), 2);
    EXPECT_TRUE(rig.player.playing);
}

// The key handler asks for the page of the letter the key mapping gives for
// every one of the 256 bytes, and leaves the key folded: it folds it once and
// maps what it folded, so a capital Latin letter still finds its Cyrillic one.
TEST(ContentPages, HandlerAsksForTheMappedLetterOfEveryByte)
{
    BrowserRig rig;
    rig.start();
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const auto key = static_cast<std::uint8_t>(byte);
        EXPECT_EQ(rig.press(key), foldKey(key));
        EXPECT_EQ(rig.browser.CurrentLetter(), letterForKey(key));
    }
}
