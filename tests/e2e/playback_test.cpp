// Sound playback end to end: when the real player control on the real media
// layer plays, when the repeat control is on screen, and what keys, the
// welcome button and the Sound check box do meanwhile.
#include "tests/e2e/alphabet.h"
#include "tests/e2e/main_window_rig.h"

#include "platform/ui/check_box.h"
#include "player/media_player.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <vector>

using namespace e2e;

namespace {

struct PlaybackRig : MainWindowRig {
    ContentFolder folder;
    PlaybackRig()
    {
        writeAlphabet(folder);
        startOn(folder);
    }
};

// Records each time the repeat control appears or goes, with how much of
// one sound had reached the output at that moment and where the player's
// device then stood in its sound (in frames, which are milliseconds here).
class VisibilityJournal : public QObject {
public:
    struct Entry {
        bool shown;
        int heard;
        int position = -1;
    };

    VisibilityJournal(MainWindowRig& rig, std::int16_t level) : m_rig(rig), m_level(level)
    {
        rig.main.MediaPlayer1->installEventFilter(this);
    }
    ~VisibilityJournal() override { m_rig.main.MediaPlayer1->removeEventFilter(this); }

    std::vector<Entry> entries;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            entries.push_back({event->type() == QEvent::Show, m_rig.heard(m_level), m_rig.soundPosition()});
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindowRig& m_rig;
    std::int16_t m_level;
};

// The pages of Ф and В (В's sound given as these bytes, when not null); no
// other letter has a folder. Ф's page is shown and its sound started.
struct LateEndRig : MainWindowRig {
    ContentFolder folder;
    explicit LateEndRig(const QByteArray& veSound = QByteArray())
    {
        folder.writeWelcome(welcomeContent());
        folder.writeLetter(kEf, letterContent(kEf));
        folder.writeLetter(kVe, letterContent(kVe));
        if (!veSound.isNull())
            folder.writeBytes(kVe + "/letter_voice.wav", veSound);
        startOn(folder);
        type(QStringLiteral("a"));
    }
    // A key typed while the window was busy: it waits in the queue, and Ф's
    // sound then ends, its completion message queued behind the key.
    void keyQueuedAsTheSoundEnds(Qt::Key key, const QString& text)
    {
        QCoreApplication::postEvent(main.Memo1, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        output.advance(static_cast<std::size_t>(letterContent(kEf).frames) + 1);
        deliver();
    }
};

} // namespace

// A key handled after the end of a sound but before that sound's completion
// message: the message belongs to the page the key replaced. It neither
// stops the device that the new page failed to open (which gave a second
// error box, "No MCI device open") nor brings the repeat control back to a
// page without a sound.
TEST(Playback, LateEndOfTheLastPagesSoundChangesNothing)
{
    LateEndRig refused(QByteArray(""));
    ASSERT_TRUE(refused.soundPlaying());
    refused.keyQueuedAsTheSoundEnds(Qt::Key_D, QStringLiteral("d")); // В, its sound an empty file
    EXPECT_EQ(refused.lines(), letterContent(kVe).lines);
    ASSERT_EQ(refused.dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(refused.dialogs.errorBoxes()[0].text.toStdString(),
              "The file is not a WAV sound that can be played, or it is damaged or incomplete.");
    EXPECT_EQ(refused.heard(letterContent(kEf).level), letterContent(kEf).frames);

    LateEndRig silent;
    silent.keyQueuedAsTheSoundEnds(Qt::Key_Q, QStringLiteral("q")); // Й has no folder
    EXPECT_EQ(silent.dialogs.beeps(), 1);
    EXPECT_FALSE(silent.repeatVisible());
    EXPECT_TRUE(silent.dialogs.errorBoxes().empty());

    LateEndRig whole;
    whole.keyQueuedAsTheSoundEnds(Qt::Key_D, QStringLiteral("d")); // В plays through as always
    EXPECT_TRUE(whole.soundPlaying());
    whole.playToEnd();
    EXPECT_EQ(whole.heard(letterContent(kVe).level), letterContent(kVe).frames);
    EXPECT_TRUE(whole.repeatVisible());
}

// The welcome sound started at the start of the page plays to its end, and
// only then does the repeat control come back.
TEST(Playback, RepeatControlComesBackWhenAnAutomaticSoundEnds)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    VisibilityJournal journal(rig, ef.level);
    rig.type(QStringLiteral("a"));
    rig.play(ef.frames / 2);
    EXPECT_TRUE(rig.soundPlaying());
    EXPECT_FALSE(rig.repeatVisible());
    rig.play(ef.frames);
    EXPECT_FALSE(rig.soundPlaying());
    EXPECT_TRUE(rig.repeatVisible());
    ASSERT_EQ(journal.entries.size(), 2u);
    EXPECT_EQ(journal.entries[0].shown, false);
    EXPECT_EQ(journal.entries[0].heard, 0);
    EXPECT_EQ(journal.entries[1].shown, true);
    EXPECT_EQ(journal.entries[1].heard, ef.frames);
    EXPECT_FALSE(rig.main.browser().AutoPlayArmed());
}

// A click on the repeat control hides it, plays the page's sound from its
// start to its end while the window waits, and then shows it again.
TEST(Playback, RepeatClickPlaysTheSoundThroughWithTheControlHidden)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    rig.type(QStringLiteral("a"));
    rig.playToEnd();
    ASSERT_TRUE(rig.repeatVisible());
    for (int click = 1; click <= 2; ++click) {
        SCOPED_TRACE(click);
        VisibilityJournal journal(rig, ef.level);
        const int before = rig.heard(ef.level);
        rig.clickRepeat();
        // The output's clock runs on its own thread here, and the fake output
        // counts a pull only once it has returned; the device's position is
        // where the media layer had got to when the control came back.
        ASSERT_EQ(journal.entries.size(), 2u);
        EXPECT_EQ(journal.entries[0].shown, false);
        EXPECT_EQ(journal.entries[0].heard, before) << "hidden before any of it was played";
        EXPECT_EQ(journal.entries[1].shown, true);
        EXPECT_EQ(journal.entries[1].position, ef.frames) << "shown only at the end of the sound";
        EXPECT_TRUE(rig.repeatVisible());
        EXPECT_FALSE(rig.soundPlaying());
        EXPECT_EQ(rig.heard(ef.level), before + ef.frames);
        rig.play(100);
        EXPECT_EQ(rig.heard(ef.level), before + ef.frames) << "nothing more is played afterwards";
        EXPECT_TRUE(rig.repeatVisible());
    }
    EXPECT_EQ(rig.lines(), ef.lines);
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    // The window still answers keys.
    rig.type(QStringLiteral("d"));
    EXPECT_EQ(rig.lines(), letterContent(kVe).lines);
}

// Keys typed while the repeat control's Play waits are handled after it: the
// first shows its page and starts its sound, the next finds that sound playing.
TEST(Playback, KeysTypedDuringTheRepeatClickAreHandledAfterIt)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    const PageContent ve = letterContent(kVe);
    rig.type(QStringLiteral("a"));
    rig.playToEnd();
    // Typed while the click's sound plays: queued, as a keyboard's keys are while the window waits.
    std::atomic<bool> typed{false};
    mci::setFirstSampleObserver([&](MCIDEVICEID, std::chrono::steady_clock::time_point) {
        if (typed.exchange(true))
            return;
        for (const QString& key : {QStringLiteral("d"), QStringLiteral("в")}) {
            const auto code = static_cast<Qt::Key>(key.toUpper().at(0).unicode());
            QCoreApplication::postEvent(rig.main.Memo1, new QKeyEvent(QEvent::KeyPress, code, Qt::NoModifier, key));
            QCoreApplication::postEvent(rig.main.Memo1, new QKeyEvent(QEvent::KeyRelease, code, Qt::NoModifier, key));
        }
    });
    rig.clickRepeat();
    mci::setFirstSampleObserver({});
    ASSERT_TRUE(typed.load());
    EXPECT_EQ(rig.heard(ef.level), 2 * ef.frames) << "the repeated sound played to its end";
    EXPECT_EQ(rig.lines(), ve.lines) << "the first key was handled after the click";
    EXPECT_TRUE(rig.soundPlaying());
    EXPECT_FALSE(rig.repeatVisible());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ve.level), ve.frames) << "the second key found the sound playing";
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 0);
}

// With no sound output at all, pages still come with every key, nothing is
// reported, and a sound that cannot start is never taken as playing.
TEST(Playback, NoSoundOutput)
{
    PlaybackRig rig;
    rig.output.setOpenFailure("no sound card");
    rig.output.breakDown("unplugged");
    for (const QString& letter : {kEf, kVe, kEf}) {
        const PageContent page = letterContent(letter);
        rig.type(kLatinKeys.mid(kLetters.indexOf(letter), 1));
        EXPECT_EQ(rig.lines(), page.lines);
        EXPECT_TRUE(closeColours(rig.paintedCentre(), page.colour));
        EXPECT_FALSE(rig.soundPlaying());
        rig.play(100);
    }
    EXPECT_EQ(rig.heard(letterContent(kEf).level), 0);
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
    // Back when the output is.
    rig.output.setOpenFailure("");
    rig.type(QStringLiteral("d"));
    rig.playToEnd();
    EXPECT_EQ(rig.heard(letterContent(kVe).level), letterContent(kVe).frames);
    EXPECT_TRUE(rig.repeatVisible());
}

// Keys typed while a sound plays are ignored, without a beep; once it has ended they work again.
TEST(Playback, KeysWhileASoundPlaysAreIgnored)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    const PageContent ve = letterContent(kVe);
    rig.type(QStringLiteral("a"));
    rig.play(5);
    for (const QString& key : {QStringLiteral("d"), QStringLiteral("в"), QStringLiteral("7"), QStringLiteral("a")}) {
        rig.type(key);
        EXPECT_EQ(rig.lines(), ef.lines) << key.toStdString();
    }
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames) << "not cut off, not started again";
    EXPECT_EQ(rig.heard(ve.level), 0);
    EXPECT_TRUE(rig.repeatVisible());
    rig.type(QStringLiteral("d"));
    EXPECT_EQ(rig.lines(), ve.lines);
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ve.level), ve.frames);
}

// The welcome button does not wait for a sound: it shows the welcome page and
// its sound plays to its end (the notice of the cut-off sound stops nothing).
TEST(Playback, WelcomeButtonDuringASoundPlaysTheWelcomeSoundThrough)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    const PageContent welcome = welcomeContent();
    rig.type(QStringLiteral("a"));
    rig.play(5);
    rig.clickWelcome();
    EXPECT_EQ(rig.lines(), welcome.lines);
    EXPECT_EQ(rig.pictureData(), solidJpeg(welcome.colour));
    EXPECT_TRUE(rig.soundPlaying()) << "the cut-off sound's notice must not stop the welcome sound";
    EXPECT_FALSE(rig.repeatVisible());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(welcome.level), welcome.frames);
    EXPECT_EQ(rig.heard(ef.level), 5);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
}

// Sound off: the repeat control goes at once; a letter's page shows without
// its sound and without a beep; the control stays hidden.
TEST(SoundSwitch, OffHidesTheControlAndPagesComeSilently)
{
    PlaybackRig rig;
    ASSERT_TRUE(rig.repeatVisible());
    rig.clickSound();
    EXPECT_FALSE(rig.main.cbSound->Checked());
    EXPECT_FALSE(rig.repeatVisible());
    EXPECT_EQ(QApplication::focusWidget(), rig.main.Memo1) << "the focus is back on the text";

    const PageContent ef = letterContent(kEf);
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), ef.lines);
    EXPECT_EQ(rig.pictureData(), solidJpeg(ef.colour));
    EXPECT_FALSE(rig.soundPlaying());
    rig.play(100);
    EXPECT_EQ(rig.heard(ef.level), 0);
    EXPECT_FALSE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    rig.type(QStringLiteral("d"));
    EXPECT_EQ(rig.lines(), letterContent(kVe).lines) << "keys work with sound off";
}

// Sound on again while the control is hidden plays the last page's sound to its end, then shows the control.
TEST(SoundSwitch, OnAgainPlaysTheLastSound)
{
    PlaybackRig rig;
    rig.clickSound();
    rig.type(QStringLiteral("a"));
    rig.play(100);
    rig.clickSound();
    EXPECT_TRUE(rig.main.cbSound->Checked());
    EXPECT_TRUE(rig.main.browser().AutoPlayArmed());
    EXPECT_TRUE(rig.soundPlaying());
    EXPECT_FALSE(rig.repeatVisible());
    const PageContent ef = letterContent(kEf);
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
}

// Sound off while a sound plays changes nothing: it plays on to its end, and the control stays hidden.
TEST(SoundSwitch, OffWhilePlayingLetsTheSoundPlayOn)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    rig.type(QStringLiteral("a"));
    rig.play(5);
    rig.clickSound();
    EXPECT_TRUE(rig.soundPlaying());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames);
    EXPECT_FALSE(rig.repeatVisible());
}

// Sound off and on again while a sound plays starts it again from its start,
// and it plays to its end (the notice of the first play stops nothing).
TEST(SoundSwitch, OffAndOnWhilePlayingStartsTheSoundAgain)
{
    PlaybackRig rig;
    const PageContent ef = letterContent(kEf);
    rig.type(QStringLiteral("a"));
    rig.play(5);
    rig.clickSound();
    rig.clickSound();
    EXPECT_TRUE(rig.soundPlaying());
    EXPECT_FALSE(rig.repeatVisible());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), 5 + ef.frames);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
}

// After a page without a sound the player still holds the last sound that
// existed: sound off and on again plays that one through, and the repeat
// control comes back at its end.
TEST(SoundSwitch, OnAgainAfterAPageWithoutSoundPlaysTheLastSoundThatExisted)
{
    MainWindowRig rig;
    ContentFolder folder;
    const PageContent ef = letterContent(kEf);
    folder.writeWelcome(welcomeContent());
    folder.writeLetter(kEf, ef);
    rig.startOn(folder);
    rig.type(QStringLiteral("a"));
    rig.playToEnd();
    ASSERT_EQ(rig.heard(ef.level), ef.frames);

    rig.type(QStringLiteral("d")); // В has no folder
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")});
    EXPECT_EQ(rig.dialogs.beeps(), 1);
    EXPECT_FALSE(rig.repeatVisible());

    rig.clickSound();
    rig.clickSound();
    EXPECT_TRUE(rig.soundPlaying());
    EXPECT_FALSE(rig.repeatVisible());
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), 2 * ef.frames);
    EXPECT_EQ(rig.heard(kWelcomeLevel), 0);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.lines(), QStringList{QStringLiteral("Invalid text data!")}) << "no page is loaded";
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
}

// Sound switched on again before any page had a sound: opening the player on
// no file fails in one error box, and the next key is answered as usual.
TEST(SoundSwitch, OnAgainBeforeAnySoundExistedReportsTheFailedOpen)
{
    MainWindowRig rig;
    rig.start(); // no data folder beside the test program
    ASSERT_EQ(rig.dialogs.beeps(), 1);
    ASSERT_FALSE(rig.repeatVisible());
    rig.clickSound();
    rig.clickSound();
    EXPECT_TRUE(rig.main.cbSound->Checked());
    ASSERT_EQ(rig.dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(rig.dialogs.errorBoxes()[0].text, QStringLiteral("A sound file name is needed to open a sound device."));
    EXPECT_FALSE(rig.repeatVisible());
    EXPECT_FALSE(rig.soundPlaying());
    EXPECT_TRUE(rig.main.browser().AutoPlayArmed());

    ContentFolder folder;
    const PageContent ef = letterContent(kEf);
    folder.writeLetter(kEf, ef);
    rig.chooseFolder(folder.markerFile());
    rig.type(QStringLiteral("a"));
    EXPECT_EQ(rig.lines(), ef.lines);
    rig.playToEnd();
    EXPECT_EQ(rig.heard(ef.level), ef.frames);
    EXPECT_TRUE(rig.repeatVisible());
    EXPECT_EQ(rig.dialogs.errorBoxes().size(), 1u);
}
