// Waiting for what a person would wait for: a window to appear, a text to
// change, a sound to end. Every wait has a generous bound that only keeps a
// broken program from hanging the suite; a test never asserts on time.
#pragma once

#include <chrono>
#include <thread>

namespace desktop {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Long enough for a loaded machine; reached only when something is wrong.
constexpr auto kPatience = 15s;
// How long "nothing more happens" is watched for: more than a key's round trip.
constexpr auto kQuietSpell = 600ms;
constexpr auto kPollStep = 20ms;

// Polls until the condition holds; false when the time ran out.
template <class Condition> bool waitUntil(Condition condition, std::chrono::milliseconds patience = kPatience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollStep);
    }
    return true;
}

// Polls a reading until it has stayed the same for a quiet spell; returns it.
template <class Reading> auto settled(Reading reading, std::chrono::milliseconds quiet = kQuietSpell)
{
    auto last = reading();
    auto stableSince = std::chrono::steady_clock::now();
    const auto deadline = stableSince + kPatience;
    while (std::chrono::steady_clock::now() - stableSince < quiet && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kPollStep);
        auto now = reading();
        if (now != last) {
            last = now;
            stableSince = std::chrono::steady_clock::now();
        }
    }
    return last;
}

} // namespace desktop
