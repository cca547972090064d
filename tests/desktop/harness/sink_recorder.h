// Records what the sound server plays, from the null sink's monitor, as it
// arrives: 16-bit mono samples at 48 kHz with the time each block came in.
// From those arrival times it keeps the sample clock's origin (the earliest
// time consistent with every block), so that a moment on the test's clock,
// such as a key press, maps to a sample of the recording and back.
#pragma once

#include "tests/desktop/harness/child_process.h"
#include "tests/desktop/harness/waiting.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace desktop {

class SinkRecorder {
public:
    static constexpr int kRate = 48000;

    explicit SinkRecorder(const Environment& clientEnvironment);
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Samples recorded so far.
    std::size_t size() const;
    // The time at which the sample with that index was played.
    Clock::time_point timeOf(std::size_t sample) const;
    std::size_t sampleAt(Clock::time_point time) const;

    // The first sample at or after `from` that starts a spell of sound (a
    // 5 ms window whose mean level passes a threshold far above silence).
    std::optional<std::size_t> firstSoundFrom(std::size_t from) const;
    // The first sample of a quiet spell at or after `from` that lasts `quiet`.
    std::optional<std::size_t> firstSilenceFrom(std::size_t from, std::chrono::milliseconds quiet) const;
    // The loudness (root mean square) between two samples.
    double level(std::size_t from, std::size_t to) const;
    // The frequency of a steady tone between two samples, from its zero crossings in the loud parts.
    double frequency(std::size_t from, std::size_t to) const;

    // Writes the recording's samples as raw 16-bit little-endian mono, for a look at a failure.
    void save(const std::string& path) const;

    // Waits until the recording holds the samples up to that time.
    bool waitUntilRecorded(Clock::time_point time) const;

private:
    void readLoop(int fd);

    std::unique_ptr<ChildProcess> m_recorder;
    int m_readEnd = -1;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
    std::optional<Clock::time_point> m_origin;
};

} // namespace desktop
