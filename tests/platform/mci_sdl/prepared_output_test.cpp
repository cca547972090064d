// The machine's output opened ahead of its first sound (SdlAudioOutput::prepare)
// on SDL's real dummy driver: nothing is asked of a source until open(), which
// then only starts the prepared device; a prepared start that failed is made
// again at open(), which reports what holds then. Each test runs in a process
// of its own, so SDL's audio starts afresh in each.
#include "platform/mci/sdl_audio_output.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Generous bounds for a loaded machine: they only keep a broken build from hanging.
constexpr auto kPreparePatience = 30s;
// Several of the output's 12 ms periods: a paused device would have pulled by now.
constexpr auto kPausedSpell = 300ms;

class CountingSource final : public mci::AudioSource {
public:
    void pull(const mci::AudioOutput&, std::int16_t* samples, std::size_t frames) override
    {
        std::fill(samples, samples + frames * 2, std::int16_t{0});
        pulls.fetch_add(1);
    }
    void outputFailed(const mci::AudioOutput&, const std::string&) override { failures.fetch_add(1); }

    std::atomic<int> pulls{0};
    std::atomic<int> failures{0};
};

bool waitForPulls(const CountingSource& source)
{
    const auto deadline = std::chrono::steady_clock::now() + kPreparePatience;
    while (source.pulls.load() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(2ms);
    return source.pulls.load() > 0;
}

bool defaultHandler(int signal)
{
    struct sigaction action {};
    return sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_DFL;
}

} // namespace

// A prepared device asks nothing of anyone before open(); open() starts it pulling from its source.
TEST(PreparedSdlOutput, PullsOnlyOnceOpened)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CountingSource source;
    mci::SdlAudioOutput output;
    output.prepare();
    output.prepare(); // a second call changes nothing
    std::this_thread::sleep_for(kPausedSpell);
    output.poll(); // nothing open yet: nothing to report
    EXPECT_EQ(source.failures.load(), 0);

    std::string reason;
    ASSERT_TRUE(output.open(source, reason)) << reason;
    EXPECT_TRUE(waitForPulls(source));
    output.poll();
    EXPECT_EQ(source.failures.load(), 0);
}

// A prepared output that is never opened closes cleanly, and SDL's audio can be started again after it.
TEST(PreparedSdlOutput, UnopenedPreparationEndsCleanly)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    {
        mci::SdlAudioOutput unused;
        unused.prepare();
    }
    CountingSource source;
    mci::SdlAudioOutput output;
    output.prepare();
    std::string reason;
    ASSERT_TRUE(output.open(source, reason)) << reason;
    EXPECT_TRUE(waitForPulls(source));
}

// Without any output, open() fails with SDL's reason, as it does unprepared;
// the next open() tries afresh and finds an output that is there by then.
TEST(PreparedSdlOutput, FailedPreparationIsTriedAgainAtOpen)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CountingSource source;
    mci::SdlAudioOutput output;
    output.prepare();
    std::string reason;
    EXPECT_FALSE(output.open(source, reason));
    EXPECT_NE(reason.find("no-such-driver"), std::string::npos) << reason;

    mci::SdlAudioOutput unprepared;
    std::string unpreparedReason;
    EXPECT_FALSE(unprepared.open(source, unpreparedReason));
    EXPECT_EQ(reason, unpreparedReason);

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(output.open(source, reason)) << reason;
    EXPECT_TRUE(waitForPulls(source));
}

// Starting SDL's audio leaves the interrupt and termination signals to the
// program, so that its desktop and a plain kill can still end it.
TEST(PreparedSdlOutput, TakesNoSignalHandlers)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CountingSource source;
    mci::SdlAudioOutput output;
    output.prepare();
    std::string reason;
    ASSERT_TRUE(output.open(source, reason)) << reason;
    EXPECT_TRUE(defaultHandler(SIGINT));
    EXPECT_TRUE(defaultHandler(SIGTERM));
}
