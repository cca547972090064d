// Playing on the fake output: modes, the samples that reach the output,
// positions and lengths in milliseconds, from/to ranges, pause and resume,
// seeking, closing while playing, and a Play that waits for its end.
#include "tests/platform/mci/mci_test_support.h"

#include <atomic>
#include <thread>

using namespace mcitest;

namespace {

using Samples = std::vector<std::int16_t>;

Samples slice(const Samples& all, std::size_t from, std::size_t to)
{
    return Samples(all.begin() + static_cast<std::ptrdiff_t>(from), all.begin() + static_cast<std::ptrdiff_t>(to));
}

Samples join(std::initializer_list<Samples> parts)
{
    Samples out;
    for (const Samples& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

class Playback : public MciTest {};

} // namespace

// Stopped after open, playing while samples are handed out, paused in between,
// stopped at the end; pausing hands out silence and resuming goes on where it paused.
TEST_F(Playback, ModesFollowThePlay)
{
    const Samples sound = ramp(1000);
    const MCIDEVICEID device = openRamp(1000);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(status(device, MCI_STATUS_LENGTH), 1000u);
    EXPECT_EQ(position(device), 0u);

    ASSERT_EQ(play(device, 0), 0u) << "flags 0 return at once";
    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    m_output.advance(400);
    EXPECT_EQ(position(device), 400u);
    EXPECT_EQ(command(device, MCI_PAUSE, MCI_WAIT), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_PAUSE);
    m_output.advance(100);
    EXPECT_EQ(position(device), 400u);
    EXPECT_EQ(command(device, MCI_RESUME, 0), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    m_output.advance(599);
    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    m_output.advance(101);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(position(device), status(device, MCI_STATUS_LENGTH));

    EXPECT_EQ(m_output.played(),
              join({slice(sound, 0, 400), Samples(100, 0), slice(sound, 400, 1000), Samples(100, 0)}));
}

// From and to pick a range; a Play without from goes on from the position;
// at the end a Play without from completes at once, as nothing is left.
TEST_F(Playback, FromAndToPickTheRange)
{
    const Samples sound = ramp(1000);
    const MCIDEVICEID device = openRamp(1000);
    ASSERT_EQ(play(device, MCI_FROM | MCI_TO, 200, 300), 0u);
    m_output.advance(150);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(position(device), 300u);
    ASSERT_EQ(play(device, MCI_TO, 0, 350), 0u);
    m_output.advance(60);
    ASSERT_EQ(play(device, 0), 0u);
    m_output.advance(700);
    EXPECT_EQ(m_output.played(),
              join({slice(sound, 200, 300), Samples(50, 0), slice(sound, 300, 350), Samples(10, 0),
                    slice(sound, 350, 1000), Samples(50, 0)}));

    m_output.clearPlayed();
    ASSERT_EQ(play(device, 0), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    m_output.advance(10);
    EXPECT_EQ(m_output.played(), Samples(10, 0));
    // Playing on while playing: a new from restarts there.
    ASSERT_EQ(play(device, MCI_FROM, 100), 0u);
    m_output.advance(5);
    ASSERT_EQ(play(device, MCI_FROM | MCI_TO, 900, 903), 0u);
    m_output.advance(5);
    EXPECT_EQ(m_output.played(), join({Samples(10, 0), slice(sound, 100, 105), slice(sound, 900, 903), Samples(2, 0)}));
}

// Ranges outside the sound are refused and leave the device as it was.
TEST_F(Playback, RangesOutsideTheSoundAreRefused)
{
    const MCIDEVICEID device = openRamp(1000);
    ASSERT_EQ(play(device, MCI_FROM, 500), 0u);
    m_output.advance(100);
    EXPECT_EQ(play(device, MCI_FROM, 1001), MCIERR_OUTOFRANGE);
    EXPECT_EQ(play(device, MCI_TO, 0, 1001), MCIERR_OUTOFRANGE);
    EXPECT_EQ(play(device, MCI_FROM | MCI_TO, 400, 300), MCIERR_OUTOFRANGE);
    EXPECT_EQ(play(device, MCI_TO, 0, 550), MCIERR_OUTOFRANGE) << "the position is already beyond 550";
    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    EXPECT_EQ(position(device), 600u);
    EXPECT_EQ(mciSendCommand(device, MCI_PLAY, MCI_FROM, nullptr), MCIERR_NULL_PARAMETER_BLOCK);
    EXPECT_EQ(play(device, MCI_FROM | MCI_TO, 1000, 1000), 0u) << "the length itself is the end";
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
}

// Milliseconds are whole and rounded down; a position at the length is the very
// end, so that no fraction of a millisecond is lost.
class PlaybackAtCdRate : public MciTest {
protected:
    PlaybackAtCdRate() : MciTest({44100, 2}) {}
};

TEST_F(PlaybackAtCdRate, MillisecondArithmetic)
{
    const std::size_t frames = 44100 + 50; // 1001.13 ms
    const MCIDEVICEID device = openRamp(frames);
    EXPECT_EQ(status(device, MCI_STATUS_LENGTH), 1001u);

    MCI_SEEK_PARMS seek;
    seek.dwTo = 500;
    ASSERT_EQ(mciSendCommand(device, MCI_SEEK, MCI_TO | MCI_WAIT, &seek), 0u);
    EXPECT_EQ(position(device), 500u);
    ASSERT_EQ(play(device, 0), 0u);
    m_output.advance(44); // 22050 + 44 frames: 500.99 ms
    EXPECT_EQ(position(device), 500u);
    m_output.advance(1);
    EXPECT_EQ(position(device), 501u);

    m_output.clearPlayed();
    ASSERT_EQ(play(device, MCI_FROM | MCI_TO, 1000, 1001), 0u);
    m_output.advance(100);
    const Samples played = m_output.played();
    const Samples sound = ramp(frames);
    ASSERT_EQ(played.size(), 200u);
    EXPECT_EQ(played[0], sound[44100]);
    EXPECT_EQ(played[99], sound[frames - 1]) << "the last 50 frames play";
    EXPECT_EQ(played[100], 0);
    EXPECT_EQ(position(device), 1001u);
}

// Seeking goes to the start, the end or a position, and stops a play.
TEST_F(Playback, SeekMovesAndStops)
{
    const MCIDEVICEID device = openRamp(1000);
    const auto seekTo = [&](std::uint32_t flags, std::uint32_t to = 0) {
        MCI_SEEK_PARMS seek;
        seek.dwTo = to;
        return mciSendCommand(device, MCI_SEEK, flags, &seek);
    };
    ASSERT_EQ(play(device, 0), 0u);
    m_output.advance(100);
    EXPECT_EQ(seekTo(MCI_SEEK_TO_END | MCI_WAIT), 0u);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(position(device), 1000u);
    EXPECT_EQ(seekTo(MCI_SEEK_TO_START | MCI_WAIT), 0u);
    EXPECT_EQ(position(device), 0u);
    EXPECT_EQ(seekTo(MCI_TO, 250), 0u);
    EXPECT_EQ(position(device), 250u);

    EXPECT_EQ(seekTo(MCI_TO, 1001), MCIERR_OUTOFRANGE);
    EXPECT_EQ(seekTo(MCI_WAIT), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(seekTo(MCI_SEEK_TO_START | MCI_SEEK_TO_END), MCIERR_FLAGS_NOT_COMPATIBLE);
    EXPECT_EQ(seekTo(MCI_SEEK_TO_START | MCI_TO, 5), MCIERR_FLAGS_NOT_COMPATIBLE);
    EXPECT_EQ(position(device), 250u);
}

// Closing a playing device stops its sound at once; other devices play on, mixed.
TEST_F(Playback, ClosingStopsOnlyThatSound)
{
    const MCIDEVICEID first = openRamp(1000);
    const MCIDEVICEID second = openRamp(1000);
    const Samples sound = ramp(1000);
    ASSERT_EQ(play(first, 0), 0u);
    ASSERT_EQ(play(second, MCI_FROM, 500), 0u);
    m_output.advance(2);
    ASSERT_EQ(command(first, MCI_CLOSE, MCI_WAIT), 0u);
    m_output.advance(2);
    EXPECT_EQ(m_output.played(),
              (Samples{static_cast<std::int16_t>(sound[0] + sound[500]),
                       static_cast<std::int16_t>(sound[1] + sound[501]), sound[502], sound[503]}));
    EXPECT_EQ(mode(second), MCI_MODE_PLAY);
    EXPECT_EQ(command(first, MCI_STOP, 0), MCIERR_INVALID_DEVICE_ID);
}

// A Play with wait returns only once the last sample has been handed out: a
// helper thread stands in for the audio thread and advances the clock.
TEST_F(Playback, PlayWithWaitBlocksUntilTheEnd)
{
    const MCIDEVICEID device = openRamp(300);
    std::atomic<bool> returned{false};
    std::atomic<bool> returnedEarly{false};
    std::thread audio([&] {
        MCI_STATUS_PARMS query;
        query.dwItem = MCI_STATUS_MODE;
        do
            mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM, &query);
        while (query.dwReturn != MCI_MODE_PLAY);
        for (int i = 0; i < 299; ++i)
            m_output.advance(1);
        returnedEarly = returned.load();
        m_output.advance(1);
    });
    const MCIERROR error = play(device, MCI_WAIT);
    returned = true;
    audio.join();
    EXPECT_EQ(error, 0u);
    EXPECT_FALSE(returnedEarly) << "the wait ended before the sound";
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(m_output.played(), ramp(300));
}

// A waiting Play whose output breaks down returns an error, not success.
TEST_F(Playback, PlayWithWaitReportsAnOutputThatBreaksDown)
{
    const MCIDEVICEID device = openRamp(300);
    std::thread audio([&] {
        MCI_STATUS_PARMS query;
        query.dwItem = MCI_STATUS_MODE;
        do
            mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM, &query);
        while (query.dwReturn != MCI_MODE_PLAY);
        m_output.advance(100);
        m_output.breakDown("unplugged");
    });
    const MCIERROR error = play(device, MCI_WAIT);
    audio.join();
    EXPECT_EQ(error, MCIERR_SOUND_OUTPUT_FAILED);
    EXPECT_EQ(mode(device), MCI_MODE_STOP);
    EXPECT_EQ(position(device), 100u);
}

// A waiting Play ends when another thread stops or closes the device.
TEST_F(Playback, PlayWithWaitEndsWhenTheDeviceCloses)
{
    const MCIDEVICEID device = openRamp(300);
    std::thread other([&] {
        MCI_STATUS_PARMS query;
        query.dwItem = MCI_STATUS_MODE;
        do
            mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM, &query);
        while (query.dwReturn != MCI_MODE_PLAY);
        m_output.advance(10);
        mciSendCommand(device, MCI_CLOSE, 0, nullptr);
    });
    EXPECT_EQ(play(device, MCI_WAIT), 0u);
    other.join();
    EXPECT_EQ(mci::openDeviceCount(), 0u);
}

// The first-sample observer hears of each play once, when the play's first
// sample is handed to the output, not when it is asked for.
TEST_F(Playback, FirstSampleObserverHearsOfEachPlayOnce)
{
    std::vector<MCIDEVICEID> seen;
    mci::setFirstSampleObserver(
        [&](MCIDEVICEID device, std::chrono::steady_clock::time_point) { seen.push_back(device); });
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, 0), 0u);
    EXPECT_TRUE(seen.empty());
    m_output.advance(10);
    m_output.advance(10);
    ASSERT_EQ(play(device, MCI_FROM, 0), 0u);
    m_output.advance(1);
    mci::setFirstSampleObserver({});
    m_output.advance(1);
    EXPECT_EQ(seen, (std::vector<MCIDEVICEID>{device, device}));
}
