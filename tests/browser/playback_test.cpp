#include "browser/key_mapping.h"
#include "tests/browser/testing/browser_rig.h"

#include <gtest/gtest.h>

using Entries = std::vector<std::string>;

namespace {

constexpr std::uint8_t kBeKey = 0xC1;
const std::string kWelcomeSound = "/opt/kids/DATA/Main/welcome_sound.wav";
const std::string kBeJournalSound = "/opt/kids/DATA/Б/letter_voice.wav";
const std::string kASound = "/opt/kids/DATA/А/letter_voice.wav";

// PlayerActivate with sound on, as the journal shows it.
Entries activation(const std::string& sound)
{
    return {"hide player", "player open " + sound, "player play", "player wait true"};
}
const Entries kDeactivation{"player wait false", "player stop", "show player"};

Entries operator+(Entries a, const Entries& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A rig whose welcome page and the pages of Б and А are complete, shown, and
// whose welcome sound has played to its end.
struct StartedRig : BrowserRig {
    StartedRig()
    {
        completeWelcome();
        completeLetter("Б");
        completeLetter("А");
        browser.FormActivate();
        player.endSound();
        deliver();
        journal.clear();
    }
};

} // namespace

// Showing the window arms before loading, even with no welcome sound, and plays the welcome sound when it opened.
TEST(Arming, WindowShownArmsBeforeLoadingAndPlaysTheWelcomeSound)
{
    BrowserRig silent;
    silent.browser.FormActivate();
    EXPECT_TRUE(silent.browser.AutoPlayArmed());
    EXPECT_EQ(silent.journal.count("player play"), 0);
    EXPECT_FALSE(silent.view.visible);

    BrowserRig failing;
    failing.completeWelcome();
    failing.view.unreadable.insert(BrowserRig::kData + "Main/welcome_text.txt");
    EXPECT_THROW(failing.browser.FormActivate(), EFakeFailure);
    EXPECT_TRUE(failing.browser.AutoPlayArmed()) << "armed before the page was loaded";

    BrowserRig rig;
    rig.completeWelcome();
    rig.browser.FormActivate();
    const Entries& entries = rig.journal.entries();
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(Entries(entries.end() - 4, entries.end()), activation(kWelcomeSound));
    EXPECT_TRUE(rig.player.playing);
    EXPECT_FALSE(rig.view.visible);
}

// A letter key arms only once its sound was opened; without a sound the flag stays as it was.
TEST(Arming, LetterKeyArmsOnlyAfterItsSoundOpened)
{
    StartedRig unarmed;
    ASSERT_FALSE(unarmed.browser.AutoPlayArmed());
    unarmed.press('z'); // Я has no folder
    EXPECT_FALSE(unarmed.browser.AutoPlayArmed()) << "no sound";

    StartedRig refused;
    refused.player.refused.insert(QString::fromStdString(kASound));
    std::uint8_t key = 'f';
    EXPECT_THROW(refused.browser.FormKeyPress(key), EFakeFailure);
    EXPECT_FALSE(refused.browser.AutoPlayArmed()) << "the sound did not open";

    BrowserRig armed;
    armed.start();
    ASSERT_TRUE(armed.browser.AutoPlayArmed());
    armed.press('f');
    EXPECT_TRUE(armed.browser.AutoPlayArmed()) << "left as the start set it";

    StartedRig rig;
    ASSERT_FALSE(rig.browser.AutoPlayArmed());
    rig.press('f');
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
    const Entries& entries = rig.journal.entries();
    EXPECT_EQ(Entries(entries.end() - 4, entries.end()), activation(kASound));
}

// The welcome button arms before loading, plays the welcome sound and leaves CurrentLetter alone.
TEST(Arming, WelcomeButtonArmsAndPlaysWithoutTouchingTheLetter)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.player.endSound();
    rig.deliver();
    ASSERT_FALSE(rig.browser.AutoPlayArmed());
    rig.journal.clear();

    rig.browser.SpeedButton3Click();
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
    EXPECT_EQ(rig.browser.CurrentLetter(), kBeKey);
    EXPECT_EQ(rig.view.lines, (QStringList{"Hello", "Press a key"}));
    const Entries& entries = rig.journal.entries();
    EXPECT_EQ(Entries(entries.end() - 4, entries.end()), activation(kWelcomeSound));

    StartedRig failing;
    ASSERT_FALSE(failing.browser.AutoPlayArmed());
    failing.view.unreadable.insert(BrowserRig::kData + "Main/welcome_text.txt");
    EXPECT_THROW(failing.browser.SpeedButton3Click(), EFakeFailure);
    EXPECT_TRUE(failing.browser.AutoPlayArmed()) << "armed before the page was loaded";
}

// Turning sound on while the repeat control is hidden arms and replays the
// sound the player holds, with no page loaded.
TEST(Arming, SoundOnWhileHiddenArmsAndAlwaysPlays)
{
    StartedRig rig;
    rig.toggleSound(); // off
    rig.press(kBeKey);
    rig.journal.clear();
    ASSERT_FALSE(rig.view.visible);

    rig.toggleSound(); // on
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
    EXPECT_EQ(rig.journal.entries(), activation(kBeJournalSound));
    EXPECT_TRUE(rig.player.playing);
}

// A click on the repeat control arms nothing: it hides, plays the sound to its end, stops and comes back.
TEST(Arming, RepeatClickPlaysToTheEndWithoutArming)
{
    StartedRig rig;
    bool doDefault = true;
    rig.browser.MediaPlayer1Click(doDefault);
    EXPECT_TRUE(doDefault);
    EXPECT_EQ(rig.journal.entries(), activation(kWelcomeSound));
    rig.player.Play(); // the control's own action for its Play button
    rig.browser.MediaPlayer1PostClick();
    EXPECT_EQ(rig.journal.entries(), activation(kWelcomeSound) + Entries{"player play and wait"} + kDeactivation);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
    EXPECT_TRUE(rig.view.visible);

    rig.journal.clear();
    rig.deliver(); // superseded first Play, then the waited one's success
    EXPECT_TRUE(rig.journal.entries().empty());
}

// With sound off PlayerActivate only hides the repeat control; PlayerDeActivate shows it exactly with sound on.
TEST(Arming, ActivationFollowsTheSoundCheckBox)
{
    StartedRig rig;
    rig.view.checked = false;
    rig.browser.PlayerActivate();
    EXPECT_EQ(rig.journal.entries(), Entries{"hide player"});
    rig.journal.clear();
    rig.browser.PlayerDeActivate();
    EXPECT_EQ(rig.journal.entries(), (Entries{"player wait false", "player stop", "hide player"}));
    rig.view.checked = true;
    rig.journal.clear();
    rig.browser.PlayerDeActivate();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
}

// An automatically started sound that plays to its end brings the repeat control back and disarms.
TEST(Notify, RealEndOfAnAutomaticSoundShowsTheRepeatControl)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.deliver();
    EXPECT_TRUE(rig.player.playing) << "nothing was posted yet";
    rig.player.endSound();
    rig.journal.clear();
    rig.deliver();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
    EXPECT_TRUE(rig.view.visible);
}

// Superseded and aborted notifications change nothing, even while armed with the player stopped.
TEST(Notify, CutShortNotificationsChangeNothing)
{
    for (Notification kind : {Notification::Superseded, Notification::Aborted}) {
        SCOPED_TRACE(static_cast<int>(kind));
        StartedRig rig;
        rig.press(kBeKey);
        rig.player.playing = false; // the device has stopped on its own
        rig.player.posted.assign({kind});
        rig.journal.clear();
        rig.deliver();
        EXPECT_TRUE(rig.journal.entries().empty());
        EXPECT_TRUE(rig.browser.AutoPlayArmed());
        EXPECT_FALSE(rig.view.visible);
    }
}

// A sound whose output failed (the sound server died, or there is none) is
// over as surely as one played to its end: the repeat control comes back.
TEST(Notify, FailedOutputEndsTheSoundAndShowsTheRepeatControl)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.player.playing = false;
    rig.player.posted.assign({Notification::Failure});
    rig.journal.clear();
    rig.deliver();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
    EXPECT_TRUE(rig.view.visible);
}

// A successful notification while disarmed, or while a newer sound already plays, changes nothing.
TEST(Notify, SuccessIgnoredWhenDisarmedOrAnotherSoundPlays)
{
    StartedRig disarmed;
    disarmed.player.posted.assign({Notification::Successful});
    disarmed.deliver();
    EXPECT_TRUE(disarmed.journal.entries().empty());

    StartedRig rig;
    rig.press(kBeKey);
    rig.player.endSound(); // posted, but the welcome click is handled first
    rig.browser.SpeedButton3Click();
    ASSERT_TRUE(rig.player.playing);
    rig.journal.clear();
    rig.deliver();
    EXPECT_TRUE(rig.journal.entries().empty());
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
    rig.player.endSound();
    rig.deliver();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
}

// The welcome button pressed during a sound plays the welcome sound to its end, then the repeat control comes back.
TEST(Notify, WelcomeButtonDuringASoundPlaysToItsEnd)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.journal.clear();
    rig.browser.SpeedButton3Click();
    EXPECT_EQ(rig.player.openFile.toStdString(), kWelcomeSound);
    EXPECT_TRUE(rig.player.playing);
    rig.journal.clear();
    rig.deliver(); // the interrupted sound of Б reports back
    EXPECT_TRUE(rig.journal.entries().empty());
    EXPECT_TRUE(rig.player.playing);
    EXPECT_FALSE(rig.view.visible);

    rig.player.endSound();
    rig.deliver();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
    EXPECT_TRUE(rig.view.visible);
    EXPECT_EQ(rig.browser.CurrentLetter(), kBeKey);
}

// A sound that has ended, its notification still queued behind the next page:
// that late notification is not the end of the new page's sound. It neither
// stops a device the new page failed to open (a second error, "No MCI device
// open") nor brings the repeat control back to a page that has no sound.
TEST(Notify, LateEndOfTheLastPagesSoundChangesNothing)
{
    StartedRig refused;
    refused.player.refused.insert(QString::fromStdString(kASound));
    refused.press(kBeKey);
    refused.player.endSound();
    EXPECT_THROW(refused.press('f'), EFakeFailure) << "А's sound is refused";
    ASSERT_TRUE(refused.player.openFile.isEmpty());
    refused.journal.clear();
    EXPECT_NO_THROW(refused.deliver());
    EXPECT_TRUE(refused.journal.entries().empty());

    StartedRig silentLetter;
    silentLetter.press(kBeKey);
    silentLetter.player.endSound();
    silentLetter.press('z'); // Я has no folder: a beep, the control hidden
    silentLetter.journal.clear();
    silentLetter.deliver();
    EXPECT_TRUE(silentLetter.journal.entries().empty());
    EXPECT_FALSE(silentLetter.view.visible);

    StartedRig silentWelcome;
    silentWelcome.services.presentFiles.remove(QString::fromStdString(kWelcomeSound));
    silentWelcome.press(kBeKey);
    silentWelcome.player.endSound();
    silentWelcome.browser.SpeedButton3Click();
    silentWelcome.journal.clear();
    silentWelcome.deliver();
    EXPECT_TRUE(silentWelcome.journal.entries().empty());
    EXPECT_FALSE(silentWelcome.view.visible);

    // Turning sound on again on the page without a sound replays the last
    // sound, and its end brings the control back as always.
    silentLetter.view.checked = false;
    silentLetter.browser.cbSoundClick();
    silentLetter.view.checked = true;
    silentLetter.browser.cbSoundClick();
    ASSERT_TRUE(silentLetter.player.playing);
    silentLetter.player.endSound();
    silentLetter.journal.clear();
    silentLetter.deliver();
    EXPECT_EQ(silentLetter.journal.entries(), kDeactivation);
    EXPECT_TRUE(silentLetter.view.visible);
}

// Keys typed during the repeat control's waiting replay are handled after it:
// the first shows its page and plays its sound to the end, the next is ignored.
TEST(Notify, KeyTypedDuringTheReplayPlaysToItsEnd)
{
    StartedRig rig;
    rig.clickRepeat();
    ASSERT_EQ(rig.player.posted.size(), 2u);
    rig.press('f');
    EXPECT_EQ(rig.view.lines, QStringList{"А text"});
    EXPECT_TRUE(rig.player.playing);
    const int beeps = rig.services.beeps;
    rig.press(',');
    EXPECT_EQ(rig.view.lines, QStringList{"А text"});
    EXPECT_EQ(rig.services.beeps, beeps);

    rig.journal.clear();
    rig.deliver(); // the replay's superseded and successful notifications
    EXPECT_TRUE(rig.journal.entries().empty());
    EXPECT_TRUE(rig.player.playing);
    rig.player.endSound();
    rig.deliver();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
}

// Sound off, then a letter: the page shows, nothing plays, the repeat control stays hidden, no beep.
TEST(SoundCheckBox, SoundOffThenALetter)
{
    StartedRig rig;
    rig.toggleSound();
    EXPECT_FALSE(rig.view.visible) << "hidden at once while it was visible";
    EXPECT_EQ(rig.journal.entries(), Entries{"hide player"});
    rig.press(kBeKey);
    EXPECT_EQ(rig.view.lines, QStringList{"Б text"});
    EXPECT_FALSE(rig.player.playing);
    EXPECT_EQ(rig.journal.count("player play"), 0);
    EXPECT_EQ(rig.journal.count("beep"), 0);
    EXPECT_FALSE(rig.view.visible);
    EXPECT_EQ(rig.player.openFile.toStdString(), kBeJournalSound) << "opened whatever the check box says";
}

// Sound off while a sound plays lets it finish and keeps the repeat control hidden.
TEST(SoundCheckBox, SoundOffDuringASoundLetsItFinish)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.journal.clear();
    rig.toggleSound();
    EXPECT_TRUE(rig.journal.entries().empty());
    EXPECT_TRUE(rig.player.playing);
    rig.player.endSound();
    rig.deliver();
    EXPECT_FALSE(rig.view.visible);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
}

// Sound off and on during a sound restarts it from the beginning, and it plays to its end.
TEST(SoundCheckBox, SoundOffAndOnDuringASoundRestartsIt)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.toggleSound();
    rig.journal.clear();
    rig.toggleSound();
    EXPECT_EQ(rig.journal.entries(), activation(kBeJournalSound));
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
    rig.journal.clear();
    rig.deliver(); // the interrupted Play reports back
    EXPECT_TRUE(rig.journal.entries().empty());
    EXPECT_TRUE(rig.player.playing);
    rig.player.endSound();
    rig.deliver();
    EXPECT_EQ(rig.journal.entries(), kDeactivation);
    EXPECT_TRUE(rig.view.visible);
}

// Every click on the check box returns the focus to Memo1, and sound on again
// before any page had a sound fails in Open and ends the handler.
TEST(SoundCheckBox, FocusReturnsAndNoSoundYetFails)
{
    BrowserRig rig;
    rig.start();
    rig.toggleSound();
    EXPECT_EQ(rig.view.memoFocused, 1);
    rig.view.checked = true;
    EXPECT_THROW(rig.browser.cbSoundClick(), EFakeFailure);
    EXPECT_EQ(rig.view.memoFocused, 2);
    EXPECT_TRUE(rig.browser.AutoPlayArmed());
    EXPECT_FALSE(rig.view.visible);
}

// While the player plays, a key does nothing at all: no page, no beep, the key byte unchanged.
TEST(KeyPress, IgnoredWhilePlaying)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.journal.clear();
    for (std::uint8_t key : {std::uint8_t{0xF4}, std::uint8_t{'A'}, std::uint8_t{'5'}}) {
        EXPECT_EQ(rig.press(key), key);
        EXPECT_EQ(rig.browser.CurrentLetter(), kBeKey);
    }
    EXPECT_TRUE(rig.journal.entries().empty());
}

// A key standing for no letter beeps once and sets "*"; page, arming and player stay as they were.
TEST(KeyPress, NoLetterBeepsAndChangesNothingElse)
{
    StartedRig rig;
    rig.press(kBeKey);
    rig.player.endSound();
    rig.deliver();
    rig.journal.clear();
    for (std::uint8_t key :
         {std::uint8_t{'5'}, std::uint8_t{' '}, std::uint8_t{0x0D}, std::uint8_t{0x1B}, std::uint8_t{'?'}}) {
        SCOPED_TRACE(key);
        rig.journal.clear();
        rig.press(key);
        EXPECT_EQ(rig.journal.entries(), Entries{"beep"});
        EXPECT_EQ(rig.browser.CurrentLetter(), kNoLetter);
    }
    EXPECT_EQ(rig.view.lines, QStringList{"Б text"});
    EXPECT_TRUE(rig.view.visible);
    EXPECT_FALSE(rig.browser.AutoPlayArmed());
}

// The handler rewrites the key in place and the page follows the letter, however it was typed.
TEST(KeyPress, RewritesTheKeyAndShowsTheLettersPage)
{
    const struct {
        std::uint8_t typed, rewritten;
        const char* page;
    } cases[] = {
        {0xE1, 0xC1, "Б text"}, {0xC1, 0xC1, "Б text"}, {',', ',', "Б text"}, {'<', '<', "Б text"},
        {'F', 'f', "А text"},   {0xE0, 0xC0, "А text"}, {'f', 'f', "А text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        StartedRig rig;
        EXPECT_EQ(rig.press(c.typed), c.rewritten);
        EXPECT_EQ(rig.view.lines, QStringList{QString::fromUtf8(c.page)});
        EXPECT_TRUE(rig.player.playing);
    }
}
