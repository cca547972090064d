#include "tools/content/wave_clip.h"

#include "platform/exception/exception.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

namespace content {

namespace {

constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kBitsPerSample = 16;
// Below this a sample counts as silence: about -40 dB, under the synthesiser's
// quietest consonants but above its dithering floor.
constexpr int kSilenceThreshold = 330;
// Margins kept around the speech so that its first and last sounds are not
// clipped by the sound device starting or stopping.
constexpr double kLeadInSeconds = 0.05;
constexpr double kTailSeconds = 0.12;

std::uint32_t readU32(std::string_view b, size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t readU16(std::string_view b, size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

void putU32(std::vector<char>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putU16(std::vector<char>& out, std::uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

} // namespace

WaveClip parseWave(std::string_view bytes)
{
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        throw Exception("Not a RIFF/WAVE stream");
    WaveClip clip;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t size = readU32(bytes, at + 4);
        const size_t body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size())
                throw Exception("Short format chunk in wave stream");
            const std::uint16_t format = readU16(bytes, body);
            const std::uint16_t channels = readU16(bytes, body + 2);
            const std::uint16_t bits = readU16(bytes, body + 14);
            if (format != kPcmFormat || channels != 1 || bits != kBitsPerSample)
                throw Exception("Wave stream is not 16-bit mono PCM");
            clip.sampleRate = static_cast<int>(readU32(bytes, body + 4));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                throw Exception("Wave data before its format");
            const size_t available = bytes.size() - body;
            const size_t length = std::min<size_t>(size, available) & ~size_t{1};
            clip.samples.resize(length / 2);
            for (size_t i = 0; i < clip.samples.size(); ++i)
                clip.samples[i] = static_cast<std::int16_t>(readU16(bytes, body + 2 * i));
            return clip;
        }
        // Chunks are padded to an even size; a bogus size ends the walk.
        const size_t next = body + size + (size & 1U);
        if (next <= at)
            break;
        at = next;
    }
    throw Exception("Wave stream without data");
}

WaveClip tidySpeech(const WaveClip& clip, double maxGain)
{
    const auto loud = [](std::int16_t s) { return std::abs(static_cast<int>(s)) > kSilenceThreshold; };
    const auto first = std::find_if(clip.samples.begin(), clip.samples.end(), loud);
    if (first == clip.samples.end())
        throw Exception("The speech clip is silent");
    const auto last = std::find_if(clip.samples.rbegin(), clip.samples.rend(), loud).base();

    const auto leadIn = static_cast<std::ptrdiff_t>(std::lround(kLeadInSeconds * clip.sampleRate));
    const auto tail = static_cast<std::ptrdiff_t>(std::lround(kTailSeconds * clip.sampleRate));
    const auto begin = first - std::min(leadIn, first - clip.samples.begin());
    const auto end = last + std::min(tail, clip.samples.end() - last);

    int peak = 0;
    for (auto it = begin; it != end; ++it)
        peak = std::max(peak, std::abs(static_cast<int>(*it)));
    const double gain = std::min(maxGain, kSpeechPeak / peak);

    WaveClip tidy;
    tidy.sampleRate = clip.sampleRate;
    tidy.samples.reserve(static_cast<size_t>(end - begin));
    for (auto it = begin; it != end; ++it) {
        const long scaled = std::lround(*it * gain);
        tidy.samples.push_back(static_cast<std::int16_t>(std::clamp(scaled, -32768L, 32767L)));
    }
    return tidy;
}

std::vector<char> waveFileBytes(const WaveClip& clip)
{
    const auto dataBytes = static_cast<std::uint32_t>(clip.samples.size() * 2);
    const auto rate = static_cast<std::uint32_t>(clip.sampleRate);
    std::vector<char> out;
    out.reserve(44 + dataBytes);
    const auto tag = [&out](const char* t) {
        for (int i = 0; i < 4; ++i)
            out.push_back(t[i]);
    };
    tag("RIFF");
    putU32(out, 36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    putU32(out, 16);
    putU16(out, kPcmFormat);
    putU16(out, 1);
    putU32(out, rate);
    putU32(out, rate * 2);
    putU16(out, 2);
    putU16(out, kBitsPerSample);
    tag("data");
    putU32(out, dataBytes);
    for (std::int16_t s : clip.samples)
        putU16(out, static_cast<std::uint16_t>(s));
    return out;
}

void writeWaveFile(const WaveClip& clip, const std::filesystem::path& path)
{
    const std::vector<char> bytes = waveFileBytes(clip);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw Exception("Cannot write file " + path.string());
}

} // namespace content
