// Completion messages: one for every request with notify, posted (never
// delivered during the call) as successful, superseded, aborted or failed.
#include "tests/platform/mci/mci_test_support.h"

#include <algorithm>
#include <thread>

using namespace mcitest;

namespace {

using Codes = std::vector<std::uint32_t>;
using Samples = std::vector<std::int16_t>;

class Notification : public MciTest {};

} // namespace

// A Play with notify reports success when the last sample has been handed out,
// to the callback window, with the device in LParam; not a moment before.
TEST_F(Notification, SuccessfulWhenTheSoundHasPlayedToItsEnd)
{
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    m_output.advance(99);
    EXPECT_EQ(m_receiver.take(), Codes{});
    m_output.advance(1);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_SUCCESSFUL});
    EXPECT_EQ(m_receiver.devices(), std::vector<MCIDEVICEID>{device});
    m_output.advance(100);
    EXPECT_EQ(m_receiver.take(), Codes{}) << "one notification per request";
}

// Even a command that completes at once only posts its message; the receiver
// sees it from the event loop, after the call has returned.
TEST_F(Notification, NeverDeliveredDuringTheCall)
{
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY | MCI_FROM | MCI_TO, 50, 50), 0u);
    ASSERT_EQ(command(device, MCI_STOP, MCI_NOTIFY), 0u);
    MCI_STATUS_PARMS query;
    query.dwCallback = m_receiver.handle();
    query.dwItem = MCI_STATUS_LENGTH;
    ASSERT_EQ(mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_NOTIFY, &query), 0u);
    EXPECT_EQ(m_receiver.take(), (Codes{MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUCCESSFUL}));
}

// A later command with notify supersedes a pending one; a Play without notify
// that replaces the pending play aborts it.
TEST_F(Notification, SupersededByALaterRequestAbortedByAPlayWithoutOne)
{
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    m_output.advance(10);
    ASSERT_EQ(play(device, MCI_NOTIFY | MCI_FROM, 0), 0u);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_SUPERSEDED});
    ASSERT_EQ(command(device, MCI_PAUSE, MCI_NOTIFY), 0u);
    EXPECT_EQ(m_receiver.take(), (Codes{MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}));
    ASSERT_EQ(command(device, MCI_RESUME, MCI_NOTIFY), 0u);
    ASSERT_EQ(play(device, 0), 0u);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_ABORTED});
    m_output.advance(100);
    EXPECT_EQ(m_receiver.take(), Codes{}) << "the Play without notify asked for nothing";
}

// A query without notify leaves a pending notification alone; a failed command
// with notify reports its own failure and leaves the pending one alone too.
TEST_F(Notification, QueriesAndFailedCommandsLeaveThePendingOne)
{
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    EXPECT_EQ(play(device, MCI_NOTIFY | MCI_FROM, 5000), MCIERR_OUTOFRANGE);
    EXPECT_EQ(command(device, MCI_WHERE, MCI_NOTIFY), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(m_receiver.take(), (Codes{MCI_NOTIFY_FAILURE, MCI_NOTIFY_FAILURE}));
    m_output.advance(100);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_SUCCESSFUL});
}

// Stopping, closing and reopening abort a pending notification.
TEST_F(Notification, AbortedByStopCloseAndReopen)
{
    MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    ASSERT_EQ(command(device, MCI_STOP, 0), 0u);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_ABORTED});

    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    ASSERT_EQ(command(device, MCI_STOP, MCI_NOTIFY | MCI_WAIT), 0u);
    EXPECT_EQ(m_receiver.take(), (Codes{MCI_NOTIFY_ABORTED, MCI_NOTIFY_SUCCESSFUL}));

    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    MCI_SEEK_PARMS seek;
    ASSERT_EQ(mciSendCommand(device, MCI_SEEK, MCI_SEEK_TO_START, &seek), 0u);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_ABORTED});

    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    ASSERT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_ABORTED});

    // Reopening, as the player does it: close with wait, then open the file again.
    device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    m_output.advance(30);
    ASSERT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
    const MCIDEVICEID reopened = openRamp(100);
    EXPECT_NE(reopened, device);
    ASSERT_EQ(play(reopened, MCI_NOTIFY), 0u);
    m_output.advance(100);
    EXPECT_EQ(m_receiver.take(), (Codes{MCI_NOTIFY_ABORTED, MCI_NOTIFY_SUCCESSFUL}));
    EXPECT_EQ(m_receiver.devices().back(), reopened);
}

// An output that breaks down mid-way fails the play; the next Play opens the
// output again and plays.
TEST_F(Notification, FailureWhenTheOutputBreaksDownMidWay)
{
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    m_output.advance(40);
    m_output.breakDown("unplugged");
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_FAILURE});
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(position(device), 40u);

    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    EXPECT_EQ(m_output.openCount(), 2);
    m_output.advance(60);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_SUCCESSFUL});
}

// Without any sound output a device still opens; Play fails with its own code
// and a failure notification, never plays, writes one line to standard error
// the first time only, and tries the output again at every Play.
TEST_F(Notification, NoSoundOutputFailsEveryPlayButNotTheOpen)
{
    m_output.setOpenFailure("no sound card here");
    const MCIDEVICEID device = openRamp(100);
    EXPECT_EQ(status(device, MCI_STATUS_LENGTH), 100u);

    testing::internal::CaptureStderr();
    EXPECT_EQ(play(device, MCI_NOTIFY), MCIERR_NO_SOUND_OUTPUT);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(play(device, MCI_NOTIFY | MCI_WAIT), MCIERR_NO_SOUND_OUTPUT) << "and no endless wait";
    EXPECT_EQ(play(device, 0), MCIERR_NO_SOUND_OUTPUT);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(m_receiver.take(), (Codes{MCI_NOTIFY_FAILURE, MCI_NOTIFY_FAILURE}));
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    EXPECT_NE(written.find("No sound output could be opened"), std::string::npos) << written;
    EXPECT_NE(written.find("no sound card here"), std::string::npos) << written;

    m_output.setOpenFailure("");
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    m_output.advance(100);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_SUCCESSFUL});
}

// The player's own sequence for one click on its Play button: open, play with
// notify, play with notify and wait, stop with neither. The first Play is
// superseded and the second completes. Here the waiting Play runs on a helper
// thread, so that this thread can see the first message before it advances the clock.
TEST_F(Notification, TheClickSequenceOfThePlayer)
{
    const std::string path = m_files.write("voice.wav", pcm16Wav(ramp(200)));
    MCI_OPEN_PARMS open;
    open.dwCallback = m_receiver.handle();
    open.lpstrElementName = path.c_str();
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, 0x0202, &open), 0u);
    const MCIDEVICEID device = open.wDeviceID;
    ASSERT_EQ(play(device, 0x0001), 0u);
    m_output.advance(50);

    MCIERROR waited = 1;
    std::thread ui([&, callback = m_receiver.handle()] {
        MCI_PLAY_PARMS parms;
        parms.dwCallback = callback;
        waited = mciSendCommand(device, MCI_PLAY, 0x0003, &parms);
    });
    Codes received;
    while (received.empty()) {
        received = m_receiver.take();
        std::this_thread::yield();
    }
    EXPECT_EQ(received, Codes{MCI_NOTIFY_SUPERSEDED});
    for (int i = 0; i < 20; ++i)
        m_output.advance(10);
    ui.join();
    EXPECT_EQ(waited, 0u);
    EXPECT_EQ(command(device, MCI_STOP, 0x0000), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(m_receiver.take(), Codes{MCI_NOTIFY_SUCCESSFUL});
    Samples expected = ramp(200);
    expected.resize(250, 0);
    EXPECT_EQ(m_output.played(), expected);
}

// A notification for a window that has gone is dropped without harm.
TEST_F(Notification, ACallbackWindowThatHasGoneIsNoHarm)
{
    const MCIDEVICEID device = openRamp(100);
    auto receiver = std::make_unique<NotifyReceiver>();
    MCI_PLAY_PARMS parms;
    parms.dwCallback = receiver->handle();
    ASSERT_EQ(mciSendCommand(device, MCI_PLAY, MCI_NOTIFY, &parms), 0u);
    receiver.reset();
    m_output.advance(100);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(m_receiver.take(), Codes{});
}
