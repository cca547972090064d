#include "tests/desktop/harness/sink_recorder.h"

#include "tests/desktop/harness/waiting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace desktop {

namespace {

// 5 ms windows: short enough to time a sound's start, long enough to average a tone.
constexpr std::size_t kWindow = SinkRecorder::kRate / 200;
// Far above the null sink's silence (exact zeros) and below any of the suite's tones.
constexpr double kSoundLevel = 300.0;
constexpr int kReadTimeoutMs = 100;

std::chrono::nanoseconds samplesToDuration(std::size_t samples)
{
    return std::chrono::nanoseconds(static_cast<std::int64_t>(samples) * 1'000'000'000 / SinkRecorder::kRate);
}

} // namespace

SinkRecorder::SinkRecorder(const Environment& clientEnvironment)
{
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("pipe");
    const std::string writeEnd = "/dev/fd/" + std::to_string(ends[1]);
    ProcessOptions recorder({"pacat", "--record", "--device=auto_null.monitor", "--raw", "--format=s16le",
                             "--rate=" + std::to_string(kRate), "--channels=1", "--latency-msec=10"},
                            clientEnvironment);
    recorder.standardOutput = writeEnd;
    m_recorder = std::make_unique<ChildProcess>(recorder);
    close(ends[1]);
    m_readEnd = ends[0];
    m_reader = std::thread([this] { readLoop(m_readEnd); });
}

SinkRecorder::~SinkRecorder()
{
    m_stop = true;
    m_recorder.reset();
    if (m_reader.joinable())
        m_reader.join();
    close(m_readEnd);
}

void SinkRecorder::readLoop(int fd)
{
    std::vector<char> buffer(8192);
    std::size_t carry = 0; // a byte left of a sample cut between two reads
    char carried = 0;
    pollfd watch{.fd = fd, .events = POLLIN, .revents = 0};
    while (!m_stop) {
        if (poll(&watch, 1, kReadTimeoutMs) <= 0)
            continue;
        const ssize_t got = read(fd, buffer.data() + carry, buffer.size() - carry);
        if (got <= 0)
            break;
        const auto arrived = Clock::now();
        if (carry)
            buffer[0] = carried;
        const std::size_t bytes = carry + static_cast<std::size_t>(got);
        const std::size_t samples = bytes / 2;
        std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i < samples; ++i)
            m_samples.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(buffer[2 * i])
                                                          | (static_cast<unsigned char>(buffer[2 * i + 1]) << 8)));
        carry = bytes % 2;
        carried = carry ? buffer[bytes - 1] : 0;
        // Every sample so far was played no later than it arrived.
        const auto origin = arrived - samplesToDuration(m_samples.size());
        if (!m_origin || origin < *m_origin)
            m_origin = origin;
    }
}

std::size_t SinkRecorder::size() const
{
    std::lock_guard lock(m_mutex);
    return m_samples.size();
}

Clock::time_point SinkRecorder::timeOf(std::size_t sample) const
{
    std::lock_guard lock(m_mutex);
    return m_origin.value_or(Clock::now()) + samplesToDuration(sample);
}

std::size_t SinkRecorder::sampleAt(Clock::time_point time) const
{
    std::lock_guard lock(m_mutex);
    if (!m_origin || time <= *m_origin)
        return 0;
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(time - *m_origin).count();
    return static_cast<std::size_t>(since * kRate / 1'000'000'000);
}

bool SinkRecorder::waitUntilRecorded(Clock::time_point time) const
{
    return waitUntil([&] { return size() > sampleAt(time); });
}

double SinkRecorder::level(std::size_t from, std::size_t to) const
{
    std::lock_guard lock(m_mutex);
    to = std::min(to, m_samples.size());
    if (from >= to)
        return 0.0;
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(m_samples[i]) * m_samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

std::optional<std::size_t> SinkRecorder::firstSoundFrom(std::size_t from) const
{
    const std::size_t end = size();
    for (std::size_t start = from; start + kWindow <= end; start += kWindow / 5)
        if (level(start, start + kWindow) > kSoundLevel) {
            // The window's first loud sample is where the sound begins.
            std::lock_guard lock(m_mutex);
            for (std::size_t i = start; i < start + kWindow; ++i)
                if (std::abs(m_samples[i]) > kSoundLevel)
                    return i;
            return start;
        }
    return std::nullopt;
}

std::optional<std::size_t> SinkRecorder::firstSilenceFrom(std::size_t from, std::chrono::milliseconds quiet) const
{
    const std::size_t needed = static_cast<std::size_t>(quiet.count()) * kRate / 1000;
    const std::size_t end = size();
    std::size_t quietSince = from;
    for (std::size_t start = from; start + kWindow <= end; start += kWindow) {
        if (level(start, start + kWindow) > kSoundLevel)
            quietSince = start + kWindow;
        else if (start + kWindow - quietSince >= needed)
            return quietSince;
    }
    return std::nullopt;
}

void SinkRecorder::save(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(m_samples.data(), sizeof(std::int16_t), m_samples.size(), file);
        std::fclose(file);
    }
}

double SinkRecorder::frequency(std::size_t from, std::size_t to) const
{
    // From the median time between two crossings of a band around zero: the
    // short gaps that a loaded machine leaves in its output, and the noise in
    // them, change neither.
    constexpr int kBand = 1000;
    std::lock_guard lock(m_mutex);
    to = std::min(to, m_samples.size());
    std::vector<std::size_t> halfPeriods;
    int side = 0; // -1 below the band, +1 above it
    std::size_t lastCrossing = 0;
    for (std::size_t i = from; i < to; ++i) {
        const int now = m_samples[i] > kBand ? 1 : m_samples[i] < -kBand ? -1 : 0;
        if (now == 0 || now == side)
            continue;
        if (side != 0)
            halfPeriods.push_back(i - lastCrossing);
        side = now;
        lastCrossing = i;
    }
    if (halfPeriods.empty())
        return 0.0;
    std::nth_element(halfPeriods.begin(), halfPeriods.begin() + static_cast<std::ptrdiff_t>(halfPeriods.size() / 2),
                     halfPeriods.end());
    return kRate / (2.0 * static_cast<double>(halfPeriods[halfPeriods.size() / 2]));
}

} // namespace desktop
