// One click on the repeat control with the main window's handlers attached: the
// exact commands in order, the two completion messages handled afterwards, and
// the Play button's look through the sequence.
#include "tests/player/player_fixture.h"

#include <QCoreApplication>

using namespace playertest;

namespace {

struct Expected {
    unsigned command;
    MCIDEVICEID device;
    std::uint32_t flags;
    std::uint32_t item;
    bool callback;
};

class ClickSequence : public PlayerTest {
protected:
    void SetUp() override
    {
        PlayerTest::SetUp();
        configureAsRepeatControl(*player);
        window->show();
        port.postNotifications = true;
        // The page load opened the sound; nothing is armed.
        openVoice();

        // The sound playback handlers of the main window, sound switched on.
        player->OnClick = [this](TControl*, TMPBtnType, bool&) {
            player->setVisible(false);
            hiddenDuringClick = !player->isVisible();
            player->Open();
            player->Play();
            player->setWait(true);
        };
        player->OnPostClick = [this](TControl*, TMPBtnType) {
            player->setWait(false);
            player->Stop();
            player->setVisible(true);
        };
        player->OnNotify = [this](TControl*) {
            notifications.push_back(player->LastNotify());
            modes.push_back(player->Mode());
        };
    }

    bool hiddenDuringClick = false;
    std::vector<TMPNotifyResult> notifications;
    std::vector<TMPMode> modes;
};

} // namespace

TEST_F(ClickSequence, PlayClickOnRepeatControl)
{
    ASSERT_TRUE(player->ButtonState(btPlay).AutoEnabled);
    EXPECT_TRUE(holdsAt(grabbed(*player), glyphOnFace(TGlyphLook::Plain, btPlay), 32, 32));

    click(player, {40, 40});

    const Expected expected[] = {
        {MCI_CLOSE, 1, 0x0002, 0, true},
        {MCI_OPEN, 0, 0x0202, 0, true},
        {MCI_STATUS, 2, 0x0102, MCI_STATUS_LENGTH, false},
        {MCI_GETDEVCAPS, 2, 0x0102, MCI_GETDEVCAPS_CAN_PLAY, false},
        {MCI_GETDEVCAPS, 2, 0x0102, MCI_GETDEVCAPS_CAN_RECORD, false},
        {MCI_GETDEVCAPS, 2, 0x0102, MCI_GETDEVCAPS_CAN_EJECT, false},
        {MCI_GETDEVCAPS, 2, 0x0102, MCI_GETDEVCAPS_HAS_VIDEO, false},
        {MCI_GETDEVCAPS, 2, 0x0102, MCI_GETDEVCAPS_DEVICE_TYPE, false},
        {MCI_WHERE, 2, 0x20000, 0, false},
        {MCI_STATUS, 2, 0x0102, MCI_STATUS_MODE, false},
        {MCI_PLAY, 2, 0x0001, 0, true}, // from the handler: starts and returns at once
        {MCI_PLAY, 2, 0x0003, 0, true}, // the default action: Wait is in force
        {MCI_STOP, 2, 0x0000, 0, true}, // after the handler set Wait false
    };
    ASSERT_EQ(port.commands.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const RecordedCommand& c = port.commands[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(c.command, expected[i].command);
        EXPECT_EQ(c.device, expected[i].device);
        EXPECT_EQ(c.flags, expected[i].flags);
        EXPECT_EQ(c.item, expected[i].item);
        EXPECT_EQ(c.callback, expected[i].callback ? player->Handle() : 0u);
    }
    EXPECT_EQ(port.commands[1].elementName, "voice.wav");
    EXPECT_TRUE(hiddenDuringClick);
    EXPECT_TRUE(player->isVisible());
    EXPECT_FALSE(player->WaitArmed());
    EXPECT_EQ(player->DeviceId(), 2u);

    // The auto-enable step after the click: Play is disabled until a completion message.
    EXPECT_FALSE(player->ButtonState(btPlay).AutoEnabled);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPause, btStop, btNext, btPrev}));
    EXPECT_TRUE(holdsAt(grabbed(*player), glyphOnFace(TGlyphLook::Disabled, btPlay), 32, 32));
    EXPECT_TRUE(notifications.empty()) << "completion messages arrive only through the event loop";

    port.commands.clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(notifications, (std::vector<TMPNotifyResult>{nrSuperseded, nrSuccessful}));
    EXPECT_EQ(modes, (std::vector<TMPMode>{mdStopped, mdStopped}));
    EXPECT_EQ(player->LastNotify(), nrSuccessful);
    ASSERT_EQ(port.commands.size(), 4u); // each message: the control's mode query, then the handler's
    for (const RecordedCommand& c : port.commands) {
        EXPECT_EQ(c.command, MCI_STATUS);
        EXPECT_EQ(c.item, MCI_STATUS_MODE);
    }
    EXPECT_TRUE(player->ButtonState(btPlay).AutoEnabled);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev}));
    const QImage after = grabbed(*player);
    EXPECT_TRUE(holdsAt(after, glyphOnFace(TGlyphLook::Plain, btPlay), 32, 32));
    EXPECT_FALSE(containsColour(after, colors::clOlive));
}
