// Reads a WAV file (or takes its bytes) and decodes it in full into the format of a sound output,
// once, so that playing is only copying. SDL's loader does the decoding of the
// encodings (PCM of 8 to 32 bits, float, ADPCM, mu-law, A-law); this file reads
// the file, refuses what is unsafe or too large, and converts channels and rate.
// It knows nothing of devices or playing.
#pragma once

#include "platform/mci/audio_output.h"
#include "platform/mci/mci.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mci {

// Decoded sounds are held in memory whole; beyond this, opening is refused
// (about 25 minutes at CD rate and stereo).
constexpr std::size_t kMaxDecodedBytes = std::size_t{256} << 20;
// No encoding grows more than fourfold in the loader (4-bit ADPCM to 16 bits), so a
// file beyond a quarter of the bound is refused before it is read.
constexpr std::size_t kMaxFileBytes = kMaxDecodedBytes / 4;
// Rates outside this range are taken as a damaged header, not as a recording.
constexpr int kMinWavRate = 1000;
constexpr int kMaxWavRate = 384000;

struct DecodedSound {
    AudioFormat format;
    std::vector<std::int16_t> samples; // interleaved, in `format`
    std::size_t frames() const
    {
        return format.channels > 0 ? samples.size() / static_cast<std::size_t>(format.channels) : 0;
    }
};

// Decodes the file at `path` (the bytes the file system knows it by) into
// `target`'s format. Returns 0, or MCIERR_FILE_NOT_FOUND, MCIERR_FILE_READ,
// MCIERR_INVALID_FILE or MCIERR_SOUND_TOO_LARGE; `sound` is filled only on
// success. Equal rates are copied sample for sample; other rates are
// interpolated linearly.
MCIERROR decodeWavFile(const char* path, AudioFormat target, DecodedSound& sound);
// The same for a file's bytes already in memory (MCIERR_INVALID_FILE when
// empty, MCIERR_SOUND_TOO_LARGE beyond kMaxFileBytes).
MCIERROR decodeWavBytes(const std::uint8_t* data, std::size_t size, AudioFormat target, DecodedSound& sound);
// Sets SDL's rules for reading WAV files, once for the process. Decoding does
// it too; SDL's settings are not guarded against two threads, so it is done
// before SDL's audio is started on a thread of its own.
void setDecodingRules();

} // namespace mci
