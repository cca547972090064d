// A mono 16-bit PCM sound held in memory: read from the stream the speech
// synthesiser writes, tidied (silence trimmed, level evened out) and written
// as a plain RIFF/WAVE file that any player opens. Producing the speech
// itself is the speech batch's job.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace content {

struct WaveClip {
    int sampleRate = 0;
    std::vector<std::int16_t> samples;
};

// Reads a RIFF/WAVE stream of 16-bit mono PCM. A data chunk whose stated size
// runs past the end (as a synthesiser writing to a pipe leaves it) is taken
// up to the end. Raises Exception for any other form.
WaveClip parseWave(std::string_view bytes);

// The common peak: -1 dB below full scale leaves headroom for resampling.
constexpr double kSpeechPeak = 0.89 * 32767.0;
// A quiet clip is raised at most this much, so noise never becomes loud.
constexpr double kDefaultMaxGain = 4.0;

// Cuts the silence before and after the sound down to short margins and scales
// the clip so that its loudest sample reaches a common peak, so that every
// letter sounds equally loud; a clip quieter than that peak by more than
// `maxGain` is raised by `maxGain` only. A silent clip is an error: it would
// mean the synthesiser (or the recording) said nothing.
WaveClip tidySpeech(const WaveClip& clip, double maxGain = kDefaultMaxGain);

// The complete file: a 44-byte header and the samples, little-endian.
std::vector<char> waveFileBytes(const WaveClip& clip);

void writeWaveFile(const WaveClip& clip, const std::filesystem::path& path);

} // namespace content
