#include "platform/mci/wave_device.h"

#include <algorithm>
#include <utility>

namespace mci {

namespace {

constexpr std::uint64_t kMillisecondsPerSecond = 1000;

} // namespace

WaveDevice::WaveDevice(MCIDEVICEID deviceId, std::shared_ptr<const DecodedSound> decoded)
    : id(deviceId), sound(std::move(decoded))
{}

std::uint32_t WaveDevice::lengthMs() const
{
    return static_cast<std::uint32_t>(frames() * kMillisecondsPerSecond
                                      / static_cast<std::uint64_t>(sound->format.rate));
}

std::uint32_t WaveDevice::positionMs() const
{
    return static_cast<std::uint32_t>(position * kMillisecondsPerSecond
                                      / static_cast<std::uint64_t>(sound->format.rate));
}

std::size_t WaveDevice::frameAt(std::uint32_t ms) const
{
    if (ms >= lengthMs())
        return frames();
    return static_cast<std::size_t>(ms * static_cast<std::uint64_t>(sound->format.rate) / kMillisecondsPerSecond);
}

std::size_t WaveDevice::mixInto(std::int16_t* out, std::size_t count)
{
    const std::size_t n = position < end ? std::min(count, end - position) : 0;
    const auto channels = static_cast<std::size_t>(sound->format.channels);
    const std::int16_t* from = sound->samples.data() + position * channels;
    for (std::size_t i = 0; i < n * channels; ++i) {
        const int sum = out[i] + from[i];
        out[i] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
    }
    position += n;
    return n;
}

} // namespace mci
