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

// What the file system says of an opened sound file: enough to tell at a later
// open whether the file may have changed since. Times are in nanoseconds.
struct SoundFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0; // the inode's change time: a write with the old modification time put back
    friend bool operator==(const SoundFileStamp&, const SoundFileStamp&) = default;
};

// A sound file opened for decoding. open() refuses what decodeWavFile refuses
// before reading (a missing file, one that cannot be opened or is no regular
// file, one beyond kMaxFileBytes) with the same codes; decode() reads and
// decodes what is open. Owns its descriptor.
class SoundFile {
public:
    SoundFile() = default;
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    MCIERROR open(const char* path);
    const SoundFileStamp& stamp() const { return m_stamp; }
    // The wall-clock time, as file times count it, taken just before the file was examined.
    std::int64_t openedAtNs() const { return m_openedAtNs; }
    // Reads the whole file and decodes it into `target`'s format, as decodeWavFile does.
    MCIERROR decode(AudioFormat target, DecodedSound& sound);

private:
    int m_fd = -1;
    SoundFileStamp m_stamp;
    std::int64_t m_openedAtNs = 0;
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
