#include "platform/mci/wav_decoder.h"
#include "platform/memory/fresh_pages.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace mci {

namespace {

struct WavFree {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

// Sized for `count` elements, with the pages mapped in one call before they are zeroed and filled.
template <typename T> void resizeMapped(std::vector<T>& buffer, std::size_t count)
{
    buffer.reserve(count);
    memory::mapForWriting(buffer.data(), count * sizeof(T));
    buffer.resize(count);
}

MCIERROR readWholeFile(int fd, std::size_t size, std::vector<std::uint8_t>& bytes)
{
    resizeMapped(bytes, size);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return MCIERR_FILE_READ;
        }
        if (got == 0)
            break; // the file shrank while we read it; what is there is judged below
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return 0;
}

// Truncated files and data chunks that claim more than the file holds are
// refused rather than played in part; a wrong overall RIFF size is common in
// good recordings and is tolerated.
void requireCompleteChunks()
{
    static const bool set = SDL_SetHintWithPriority(SDL_HINT_WAVE_TRUNCATION, "strict", SDL_HINT_OVERRIDE);
    (void)set;
}

// SDL's loader allocates a data chunk at the size its header claims before it
// reads it and finds the file too short, so a file of a few bytes could ask
// for gigabytes. A data chunk that claims more than the bytes after its
// header is refused here, as the strict rule above would refuse it later.
// The walk is SDL's: chunks from after "RIFF", size, "WAVE" (or after a bare
// "WAVE"), each padded to an even length.
bool dataChunksFit(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kChunkHeaderBytes = 8; // identifier and little-endian length
    auto isId = [data](std::size_t at, const char* id) { return std::memcmp(data + at, id, 4) == 0; };
    std::size_t at = 0;
    if (size >= 12 && isId(0, "RIFF") && isId(8, "WAVE"))
        at = 12;
    else if (size >= 4 && isId(0, "WAVE"))
        at = 4;
    else
        return true; // not a WAV at all: the loader says so itself
    while (size - at >= kChunkHeaderBytes) {
        Uint32 length;
        std::memcpy(&length, data + at + 4, sizeof length);
        length = SDL_SwapLE32(length);
        const std::size_t body = at + kChunkHeaderBytes;
        if (isId(at, "data") && length > size - body)
            return false;
        if (length > size - body)
            return true; // the walk ends here; whatever the loader makes of it
        at = body + length + (length & 1u);
        if (at > size)
            return true;
    }
    return true;
}

// The loader's sample encodings, each read as a value in [-1, 1]. They are
// template arguments of the conversion below, so that reading a sample is
// inlined into its loop rather than called through a pointer.
struct U8 {
    static constexpr std::size_t kBytes = 1;
    static float read(const Uint8* p) { return (static_cast<float>(*p) - 128.0f) / 128.0f; }
};
struct S16 {
    static constexpr std::size_t kBytes = 2;
    static float read(const Uint8* p)
    {
        Sint16 v;
        std::memcpy(&v, p, sizeof v);
        return static_cast<float>(SDL_SwapLE16(v)) / 32768.0f;
    }
};
struct S32 {
    static constexpr std::size_t kBytes = 4;
    static float read(const Uint8* p)
    {
        Sint32 v;
        std::memcpy(&v, p, sizeof v);
        return static_cast<float>(static_cast<double>(static_cast<Sint32>(SDL_SwapLE32(v))) / 2147483648.0);
    }
};
struct F32 {
    static constexpr std::size_t kBytes = 4;
    static float read(const Uint8* p)
    {
        float v;
        std::memcpy(&v, p, sizeof v);
        return SDL_SwapFloatLE(v);
    }
};

// Rounds half away from zero, as std::round does, and clamps to 16 bits. The
// product and the added half are exact in double precision, so the result
// equals std::round's without its library call, which dominated decoding.
std::int16_t toSample(float value)
{
    if (!(value == value)) // NaN in a float recording: silence rather than noise
        return 0;
    const double scaled = static_cast<double>(value) * 32768.0;
    if (scaled >= 32767.0)
        return 32767;
    if (scaled <= -32768.0)
        return -32768;
    return static_cast<std::int16_t>(static_cast<int>(scaled >= 0.0 ? scaled + 0.5 : scaled - 0.5));
}

template <typename Encoding> struct Source {
    const Uint8* data;
    std::size_t frames;
    int channels;

    float at(std::size_t frame, int channel) const
    {
        return Encoding::read(
            data + (frame * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)) * Encoding::kBytes);
    }
};

// Writes one output frame from `value(c)`, the recording's value of channel c
// at that frame (-1: the mean of a stereo frame). A mono recording goes to
// every output channel, a stereo one into mono as the mean of its channels.
template <typename Value> void putFrame(const Value& value, int inChannels, int outChannels, std::int16_t*& out)
{
    if (inChannels == outChannels) {
        for (int c = 0; c < outChannels; ++c)
            *out++ = toSample(value(c));
    } else if (inChannels == 1) {
        const std::int16_t sample = toSample(value(0));
        for (int c = 0; c < outChannels; ++c)
            *out++ = sample;
    } else {
        *out++ = toSample(value(-1));
    }
}

template <typename Encoding>
void convert(const Source<Encoding>& in, int rate, AudioFormat target, std::size_t outFrames,
             std::vector<std::int16_t>& samples)
{
    resizeMapped(samples, outFrames * static_cast<std::size_t>(target.channels));
    std::int16_t* out = samples.data();
    // The recorded value of channel c at a frame; c == -1 is the mean of a stereo frame.
    const auto recorded = [&in](std::size_t frame, int c) {
        return c >= 0 ? in.at(frame, c) : (in.at(frame, 0) + in.at(frame, 1)) * 0.5f;
    };
    if (rate == target.rate) {
        for (std::size_t frame = 0; frame < outFrames; ++frame)
            putFrame([&](int c) { return recorded(frame, c); }, in.channels, target.channels, out);
        return;
    }
    const auto inRate = static_cast<std::uint64_t>(rate);
    const auto outRate = static_cast<std::uint64_t>(target.rate);
    // Output frame f lies at input frame a + rest / outRate, where
    // f * inRate == a * outRate + rest; both are stepped on without dividing.
    std::size_t a = 0;
    std::uint64_t rest = 0;
    for (std::size_t frame = 0; frame < outFrames; ++frame) {
        const std::size_t b = std::min(a + 1, in.frames - 1);
        const float t = static_cast<float>(rest) / static_cast<float>(outRate);
        putFrame(
            [&](int c) {
                const float va = recorded(a, c);
                const float vb = recorded(b, c);
                return va + (vb - va) * t;
            },
            in.channels, target.channels, out);
        rest += inRate;
        while (rest >= outRate) {
            rest -= outRate;
            ++a;
        }
    }
}

// Converts with the encoding the loader produced; false for one it does not read.
bool convertAny(SDL_AudioFormat format, const Uint8* data, std::size_t inFrames, int channels, int rate,
                AudioFormat target, std::size_t outFrames, std::vector<std::int16_t>& out)
{
    switch (format) {
    case AUDIO_U8: convert(Source<U8>{data, inFrames, channels}, rate, target, outFrames, out); return true;
    case AUDIO_S16LSB: convert(Source<S16>{data, inFrames, channels}, rate, target, outFrames, out); return true;
    case AUDIO_S32LSB: convert(Source<S32>{data, inFrames, channels}, rate, target, outFrames, out); return true;
    case AUDIO_F32LSB: convert(Source<F32>{data, inFrames, channels}, rate, target, outFrames, out); return true;
    default: return false;
    }
}

// SDL's loader over the encoded bytes; its buffer is freed with the holder.
struct LoadedWav {
    SDL_AudioSpec spec{};
    std::unique_ptr<Uint8, WavFree> buffer;
    Uint32 length = 0;
};

MCIERROR loadWav(const std::uint8_t* data, std::size_t size, LoadedWav& loaded)
{
    if (size == 0)
        return MCIERR_INVALID_FILE;
    if (size > kMaxFileBytes)
        return MCIERR_SOUND_TOO_LARGE;
    if (!dataChunksFit(data, size))
        return MCIERR_INVALID_FILE;
    requireCompleteChunks();
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!stream)
        return MCIERR_INVALID_FILE;
    Uint8* buffer = nullptr;
    if (!SDL_LoadWAV_RW(stream, 1, &loaded.spec, &buffer, &loaded.length))
        return MCIERR_INVALID_FILE;
    loaded.buffer.reset(buffer);
    return 0;
}

MCIERROR convertWav(const LoadedWav& loaded, AudioFormat target, DecodedSound& sound)
{
    const SDL_AudioSpec& spec = loaded.spec;
    const bool readable = spec.format == AUDIO_U8 || spec.format == AUDIO_S16LSB || spec.format == AUDIO_S32LSB
        || spec.format == AUDIO_F32LSB;
    if (!readable || spec.channels < 1 || spec.channels > 2 || spec.freq < kMinWavRate || spec.freq > kMaxWavRate)
        return MCIERR_INVALID_FILE;
    const std::size_t sampleBytes = SDL_AUDIO_BITSIZE(spec.format) / 8;
    const std::size_t inFrames = loaded.length / (sampleBytes * spec.channels);
    if (inFrames == 0)
        return MCIERR_INVALID_FILE; // a WAV that holds no sound at all

    const std::uint64_t outFrames = std::max<std::uint64_t>(1,
                                                            static_cast<std::uint64_t>(inFrames)
                                                                * static_cast<std::uint64_t>(target.rate)
                                                                / static_cast<std::uint64_t>(spec.freq));
    if (outFrames * static_cast<std::uint64_t>(target.channels) * sizeof(std::int16_t) > kMaxDecodedBytes)
        return MCIERR_SOUND_TOO_LARGE;

    DecodedSound result;
    result.format = target;
    if (!convertAny(spec.format, loaded.buffer.get(), inFrames, spec.channels, spec.freq, target,
                    static_cast<std::size_t>(outFrames), result.samples))
        return MCIERR_INVALID_FILE;
    sound = std::move(result);
    return 0;
}

} // namespace

MCIERROR decodeWavBytes(const std::uint8_t* data, std::size_t size, AudioFormat target, DecodedSound& sound)
{
    LoadedWav loaded;
    if (const MCIERROR error = loadWav(data, size, loaded))
        return error;
    return convertWav(loaded, target, sound);
}

SoundFile::~SoundFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

MCIERROR SoundFile::open(const char* path)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_stamp = {};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    m_openedAtNs = nanoseconds(now);
    // Non-blocking, so that a named pipe given as a sound cannot hang the open.
    m_fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) ? MCIERR_FILE_NOT_FOUND
                                                                              : MCIERR_FILE_READ;
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))
        return MCIERR_FILE_READ;
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes)
        return MCIERR_SOUND_TOO_LARGE;
    m_stamp = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
               static_cast<std::int64_t>(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
    return 0;
}

MCIERROR SoundFile::decode(AudioFormat target, DecodedSound& sound)
{
    if (m_fd < 0)
        return MCIERR_FILE_READ; // nothing was opened
    std::vector<std::uint8_t> bytes;
    if (const MCIERROR error = readWholeFile(m_fd, static_cast<std::size_t>(m_stamp.size), bytes))
        return error;
    LoadedWav loaded;
    if (const MCIERROR error = loadWav(bytes.data(), bytes.size(), loaded))
        return error;
    bytes = {}; // the encoded copy is not needed any more
    return convertWav(loaded, target, sound);
}

MCIERROR decodeWavFile(const char* path, AudioFormat target, DecodedSound& sound)
{
    SoundFile file;
    if (const MCIERROR error = file.open(path))
        return error;
    return file.decode(target, sound);
}

void setDecodingRules() { requireCompleteChunks(); }

} // namespace mci
