// The player's device side: opening and closing, errors, the mode, the
// capabilities, the completion messages and the close at destruction.
#include "tests/player/player_fixture.h"

#include <QCoreApplication>

using namespace playertest;

using Device = PlayerTest;

namespace {

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EMCIDeviceError& error) {
        return error.Message();
    }
    return "<nothing raised>";
}

} // namespace

// A first Open sends the open with the file as element, then reads length,
// capabilities, the source rectangle and the mode, and enables what a wave device allows.
TEST_F(Device, OpenQueriesTheDevice)
{
    player->setFileName("/data/Main/voice.wav");
    player->Open();
    const auto& c = port.commands;
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0].command, MCI_OPEN);
    EXPECT_EQ(c[0].device, 0u);
    EXPECT_EQ(c[0].flags, 0x0202u);
    EXPECT_EQ(c[0].deviceType, "");
    EXPECT_EQ(c[0].elementName, "/data/Main/voice.wav");
    EXPECT_EQ(c[0].callback, player->Handle());
    EXPECT_EQ(c[1].command, MCI_STATUS);
    EXPECT_EQ(c[1].item, MCI_STATUS_LENGTH);
    const std::uint32_t capabilityItems[] = {8, 1, 7, 3, 4};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(c[2 + i].command, MCI_GETDEVCAPS);
        EXPECT_EQ(c[2 + i].item, capabilityItems[i]);
        EXPECT_EQ(c[2 + i].flags, 0x0102u);
        EXPECT_EQ(c[2 + i].callback, 0u);
    }
    EXPECT_EQ(c[7].command, MCI_WHERE);
    EXPECT_EQ(c[7].flags, MCI_WHERE_SOURCE);
    EXPECT_EQ(c[8].command, MCI_STATUS);
    EXPECT_EQ(c[8].item, MCI_STATUS_MODE);
    for (std::size_t i = 1; i < c.size(); ++i)
        EXPECT_EQ(c[i].device, 1u);

    EXPECT_TRUE(player->IsOpen());
    EXPECT_EQ(player->DeviceId(), 1u);
    EXPECT_EQ(player->StepFrames(), 100);
    EXPECT_TRUE(player->CanPlay());
    EXPECT_FALSE(player->CanStep());
    EXPECT_EQ(player->CapabilitySet(), TMPDevCapsSet{mpCanPlay});
    EXPECT_EQ(player->LastError(), 0u); // the source rectangle's error is overwritten by the mode query
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev}));
    EXPECT_TRUE(player->ButtonState(btPlay).AutoEnabled);
    EXPECT_FALSE(player->ButtonState(btStop).AutoEnabled);
}

// Open on an open device closes it first, then opens again; the identifier may change.
TEST_F(Device, OpenOnOpenDeviceClosesFirst)
{
    openVoice();
    player->Open();
    const auto actions = port.actions();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].command, MCI_CLOSE);
    EXPECT_EQ(actions[0].device, 1u);
    EXPECT_EQ(actions[0].flags, 0x0002u);
    EXPECT_EQ(actions[1].command, MCI_OPEN);
    EXPECT_EQ(actions[1].flags, 0x0202u);
    EXPECT_EQ(player->DeviceId(), 2u);
    EXPECT_TRUE(player->IsOpen());
}

// A device that cannot be opened raises the media layer's text; the player is
// closed afterwards, and commands that need a device raise before sending anything.
TEST_F(Device, OpenFailureRaisesAndLeavesPlayerClosed)
{
    openVoice();
    port.scriptedErrors[MCI_OPEN] = {kFakeFileNotFound};
    player->setFileName("missing.wav");
    EXPECT_EQ(messageOf([&] { player->Open(); }), "File not found.");
    EXPECT_FALSE(player->IsOpen());
    EXPECT_EQ(player->DeviceId(), 0u);
    EXPECT_EQ(player->LastError(), kFakeFileNotFound);
    EXPECT_TRUE(player->AutoEnabledButtons().empty());

    port.commands.clear();
    EXPECT_EQ(messageOf([&] { player->Play(); }), "No MCI device open");
    EXPECT_EQ(messageOf([&] { player->Stop(); }), "No MCI device open");
    EXPECT_EQ(messageOf([&] { player->Length(); }), "No MCI device open");
    EXPECT_TRUE(port.commands.empty());
}

// An empty file name fails in the media layer with its own text; an error code
// the layer has no text for reads "Unknown error code".
TEST_F(Device, OpenErrorTexts)
{
    EXPECT_EQ(messageOf([&] { player->Open(); }), "File not found.");
    port.scriptedErrors[MCI_OPEN] = {9999};
    player->setFileName("voice.wav");
    EXPECT_EQ(messageOf([&] { player->Open(); }), "Unknown error code");
    EXPECT_EQ(player->ErrorText(), "Unknown error code");
}

// An explicit device type opens by type, shareable when asked, with the file name left in the block.
TEST_F(Device, OpenByDeviceType)
{
    player->setDeviceType(dtWaveAudio);
    player->setShareable(true);
    player->setFileName("voice.wav");
    player->Open();
    const auto opens = port.commandsOf(MCI_OPEN);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].flags, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_SHAREABLE);
    EXPECT_EQ(opens[0].deviceType, "WaveAudio");
    EXPECT_EQ(opens[0].elementName, "voice.wav");
}

// A close the device refuses leaves it open, and Open still goes on to open the file.
TEST_F(Device, FailedCloseLeavesDeviceOpen)
{
    openVoice();
    port.scriptedErrors[MCI_CLOSE] = {kFakeUnsupportedFunction, kFakeUnsupportedFunction};
    player->Close();
    EXPECT_TRUE(player->IsOpen());
    EXPECT_EQ(player->DeviceId(), 1u);
    EXPECT_EQ(player->LastError(), kFakeUnsupportedFunction);
    player->Open();
    EXPECT_TRUE(player->IsOpen());
    EXPECT_EQ(player->DeviceId(), 2u);
    EXPECT_EQ(port.commandsOf(MCI_OPEN).size(), 1u);

    port.commands.clear();
    player->Close();
    EXPECT_FALSE(player->IsOpen());
    EXPECT_EQ(player->DeviceId(), 0u);
    EXPECT_TRUE(player->AutoEnabledButtons().empty());
    player->Close(); // nothing open: nothing sent
    EXPECT_EQ(port.commandsOf(MCI_CLOSE).size(), 1u);
}

// The mode with no device open raises nothing and never reads as playing; an
// answer outside the known modes reads as not ready too.
TEST_F(Device, ModeWithoutDeviceIsNotReady)
{
    TMPMode mode = mdPlaying;
    EXPECT_NO_THROW(mode = player->Mode());
    EXPECT_EQ(mode, mdNotReady);
    EXPECT_EQ(port.commands.back().device, 0u);
    EXPECT_EQ(player->LastError(), kFakeInvalidDeviceId);

    openVoice();
    port.mode = MCI_MODE_PLAY;
    EXPECT_EQ(player->Mode(), mdPlaying);
    port.mode = MCI_MODE_PAUSE;
    EXPECT_EQ(player->Mode(), mdPaused);
    port.mode = 0;
    EXPECT_EQ(player->Mode(), mdNotReady);
    EXPECT_EQ(player->LastError(), 0u);
}

// Play and Stop that the device refuses pass silently: only LastError tells.
TEST_F(Device, RefusedCommandsAreOnlyRecorded)
{
    openVoice();
    port.scriptedErrors[MCI_PLAY] = {kFakeUnsupportedFunction};
    EXPECT_NO_THROW(player->Play());
    EXPECT_EQ(player->LastError(), kFakeUnsupportedFunction);
    EXPECT_EQ(player->ErrorText(), "Not supported by the device.");
    player->Stop();
    EXPECT_EQ(player->LastError(), 0u);
    EXPECT_TRUE(player->IsOpen());
}

// A device with video and frame steps: the display window is handed over, the
// destination size read, stepping enabled, and removing the display hands the
// device back its own window.
TEST_F(Device, VideoDeviceUsesDisplay)
{
    auto display = std::make_unique<QWidget>();
    player->setDisplay(display.get());
    EXPECT_TRUE(port.commands.empty()); // nothing open: only stored
    port.capabilities[MCI_GETDEVCAPS_HAS_VIDEO] = 1;
    port.capabilities[MCI_GETDEVCAPS_DEVICE_TYPE] = MCI_DEVTYPE_DIGITAL_VIDEO;
    openVoice();
    // Reopen to see the whole sequence.
    player->Open();
    const auto windows = port.commandsOf(MCI_WINDOW);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].flags, 0x10002u);
    EXPECT_EQ(windows[0].window, windowhandle::handleOf(display.get()));
    const auto wheres = port.commandsOf(MCI_WHERE);
    ASSERT_EQ(wheres.size(), 2u);
    EXPECT_EQ(wheres[1].flags, MCI_WHERE_DESTINATION);
    EXPECT_TRUE(player->CanStep());
    EXPECT_TRUE(player->HasVideo());
    EXPECT_EQ(player->CapabilitySet(), (TMPDevCapsSet{mpCanStep, mpCanPlay, mpUsesWindow}));
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev, btStep, btBack}));

    port.commands.clear();
    player->Step();
    ASSERT_EQ(port.commandsOf(MCI_STEP).size(), 1u);
    EXPECT_EQ(port.commandsOf(MCI_STEP)[0].flags, MCI_WAIT | MCI_STEP_FRAMES);
    EXPECT_EQ(port.commandsOf(MCI_STEP)[0].frames, 100u);

    port.commands.clear();
    display.reset();
    ASSERT_EQ(port.commandsOf(MCI_WINDOW).size(), 1u);
    EXPECT_EQ(port.commandsOf(MCI_WINDOW)[0].window, 0u);
    EXPECT_EQ(player->Display(), nullptr);
}

// A disc device is switched to the tracks format with a notification; Next then
// seeks to the next track's start, or plays from it while playing.
TEST_F(Device, DiscDeviceSeeksByTrack)
{
    port.tracks = 3;
    port.trackStarts = {{1, 0x000001}, {2, 0x000302}, {3, 0x000703}};
    port.timeFormat = MCI_FORMAT_TMSF;
    port.position = 0x000502; // track 2, minute 5
    player->setDeviceType(dtCDAudio);
    openVoice();
    player->Open();
    const auto sets = port.commandsOf(MCI_SET);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].flags, 0x0401u);
    EXPECT_EQ(sets[0].timeFormat, MCI_FORMAT_TMSF);
    EXPECT_EQ(sets[0].callback, player->Handle());

    port.commands.clear();
    player->Next();
    auto seeks = port.commandsOf(MCI_SEEK);
    ASSERT_EQ(seeks.size(), 1u);
    EXPECT_EQ(seeks[0].flags, MCI_WAIT | MCI_TO);
    EXPECT_EQ(seeks[0].to, 0x000703u);

    port.commands.clear();
    port.followCommands = false;
    port.mode = MCI_MODE_PLAY;
    player->Previous(); // minute 5 differs from the track start's minute 3: start of track 2
    const auto plays = port.commandsOf(MCI_PLAY);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].flags, MCI_NOTIFY | MCI_FROM);
    EXPECT_EQ(plays[0].from, 0x000302u);
}

// In the ordinary time format Next and Previous seek to the end and the start.
TEST_F(Device, NextAndPreviousSeekToEnds)
{
    openVoice();
    player->Next();
    player->Previous();
    const auto seeks = port.commandsOf(MCI_SEEK);
    ASSERT_EQ(seeks.size(), 2u);
    EXPECT_EQ(seeks[0].flags, MCI_WAIT | MCI_SEEK_TO_END);
    EXPECT_EQ(seeks[1].flags, MCI_WAIT | MCI_SEEK_TO_START);
    EXPECT_EQ(seeks[0].callback, player->Handle());
}

// Play at the end of the medium rewinds first, with AutoRewind; not with a start position armed.
TEST_F(Device, PlayAtEndRewinds)
{
    openVoice();
    port.position = port.length;
    player->Play();
    auto actions = port.actions();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].command, MCI_SEEK);
    EXPECT_EQ(actions[0].flags, MCI_SEEK_TO_START | MCI_WAIT);
    EXPECT_EQ(actions[0].callback, 0u);
    EXPECT_EQ(actions[1].command, MCI_PLAY);

    port.commands.clear();
    player->setFrom(10);
    player->Play();
    actions = port.actions();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].command, MCI_PLAY);
}

// Notifications: each sets LastNotify by its code (an unknown code leaves it) and
// raises OnNotify; the enabled state changes only when the device is found stopped.
TEST_F(Device, NotificationsUpdateStateAndRaiseOnNotify)
{
    // A shared device that is already playing when opened.
    port.followCommands = false;
    port.mode = MCI_MODE_PLAY;
    player->setFileName("voice.wav");
    player->Open();
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPause, btStop, btNext, btPrev}));

    int notified = 0;
    TMPNotifyResult seen = nrFailure;
    TButtonSet seenButtons;
    player->OnNotify = [&](TControl* sender) {
        EXPECT_EQ(sender, player);
        ++notified;
        seen = player->LastNotify();
        seenButtons = player->AutoEnabledButtons();
    };
    const auto deliver = [&](std::uintptr_t code) {
        ASSERT_TRUE(windowhandle::postMessage(player->Handle(), {MM_MCINOTIFY, code, 0}));
        EXPECT_EQ(notified, 0) << "delivered during the post";
        QCoreApplication::processEvents();
    };

    deliver(MCI_NOTIFY_SUPERSEDED);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(seen, nrSuperseded);
    EXPECT_EQ(seenButtons, (TButtonSet{btPause, btStop, btNext, btPrev})); // still playing: unchanged

    notified = 0;
    port.mode = MCI_MODE_STOP;
    deliver(16);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(seen, nrSuperseded);
    EXPECT_EQ(seenButtons, (TButtonSet{btPlay, btNext, btPrev}));

    const std::pair<std::uintptr_t, TMPNotifyResult> codes[] = {
        {MCI_NOTIFY_ABORTED, nrAborted}, {MCI_NOTIFY_FAILURE, nrFailure}, {MCI_NOTIFY_SUCCESSFUL, nrSuccessful}};
    for (const auto& [code, result] : codes) {
        notified = 0;
        deliver(code);
        EXPECT_EQ(notified, 1);
        EXPECT_EQ(player->LastNotify(), result);
    }
}

// Destroying an open player closes its device, waiting and without a callback;
// a message posted before is never delivered to the destroyed control.
TEST_F(Device, DestructionClosesWithoutCallback)
{
    openVoice();
    bool notified = false;
    player->OnNotify = [&](TControl*) { notified = true; };
    const HWND handle = player->Handle();
    ASSERT_TRUE(windowhandle::postMessage(handle, {MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0}));
    delete player;
    player = nullptr;
    ASSERT_EQ(port.commands.size(), 1u);
    EXPECT_EQ(port.commands[0].command, MCI_CLOSE);
    EXPECT_EQ(port.commands[0].device, 1u);
    EXPECT_EQ(port.commands[0].flags, MCI_WAIT);
    EXPECT_EQ(port.commands[0].callback, 0u);
    EXPECT_FALSE(windowhandle::postMessage(handle, {MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0}));
    QCoreApplication::processEvents();
    EXPECT_FALSE(notified);
}

// A player with no device open sends nothing when destroyed.
TEST_F(Device, DestructionWithoutDeviceSendsNothing)
{
    delete player;
    player = nullptr;
    EXPECT_TRUE(port.commands.empty());
}

// Pause-or-resume goes by the device's mode; stepping and ejecting need the
// capability, and without it send nothing.
TEST_F(Device, CommandsThatDependOnModeOrCapability)
{
    openVoice();
    port.followCommands = false;
    const std::pair<std::uint32_t, unsigned> byMode[] = {
        {MCI_MODE_PLAY, MCI_PAUSE}, {MCI_MODE_PAUSE, MCI_RESUME}, {MCI_MODE_STOP, 0}, {MCI_MODE_SEEK, 0}};
    for (const auto& [mode, expected] : byMode) {
        SCOPED_TRACE(mode);
        port.mode = mode;
        port.commands.clear();
        player->PauseOrResume();
        const auto sent = port.actions();
        if (expected == 0) {
            EXPECT_TRUE(sent.empty());
        } else {
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0].command, expected);
        }
    }

    port.commands.clear();
    player->Step();
    player->Back();
    player->Eject();
    EXPECT_TRUE(port.actions().empty());

    player->Close();
    EXPECT_THROW(player->PauseOrResume(), EMCIDeviceError);
    EXPECT_THROW(player->Step(), EMCIDeviceError);
    EXPECT_THROW(player->Eject(), EMCIDeviceError);
}
