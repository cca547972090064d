// A sound file held in memory, opened with FFmpeg's demuxers and decoders, so
// that what phones record (m4a/AAC, Opus or Vorbis in Ogg, AMR, MP3, FLAC,
// WAV) all work; the kind is told by the content, not the name. It first only
// reads the container and opens the decoder, then decodes the whole sound
// into mono 16-bit samples at the rate the page's sound will have. A damaged
// or cut-off file is refused, never played up to the damage.
#pragma once

#include "tools/content/wave_clip.h"
#include "tools/page/ffmpeg_handles.h"

#include <QByteArray>
#include <QString>

// Longer than any page's sound should be; beyond it decoding stops and the
// file is refused, so that a whole podcast cannot fill the memory.
constexpr double kMaxSoundSeconds = 600.0;
// The two rates the page's sound is written at: the lower one for sources
// recorded at it or below (AMR's 8 kHz, old memos), the higher for the rest.
constexpr int kLowSoundRate = 22050;
constexpr int kHighSoundRate = 44100;

class SoundSource {
public:
    // Reads the container and opens the decoder of its first sound stream;
    // raises EPageRefused with the reason. `bytes` must outlive the source.
    explicit SoundSource(const QByteArray& bytes);
    ~SoundSource();
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;

    // "AAC", "Opus", "MP3"...: the codec's short name, upper-cased.
    QString codec() const;
    int sourceRate() const;
    int sourceChannels() const;
    // The length the container states; 0 when it states none.
    double statedSeconds() const;
    int outputRate() const;

    // The whole sound, mono, at outputRate(). Raises EPageRefused when a
    // packet is damaged, the file ends early, or it is longer than allowed.
    content::WaveClip decodeMono();

private:
    struct MemoryReader {
        const QByteArray& bytes;
        qint64 position = 0;
    };
    static int readPacket(void* opaque, uint8_t* buffer, int size);
    static int64_t seek(void* opaque, int64_t offset, int whence);
    void convert(const AVFrame& frame, std::vector<std::int16_t>& samples);
    void drain(std::vector<std::int16_t>& samples);

    MemoryReader m_reader;
    ffmpeg::IoContext m_io;
    ffmpeg::Input m_input;
    ffmpeg::CodecContext m_decoder;
    ffmpeg::Resampler m_resampler;
    int m_stream = -1;
    AVChannelLayout m_resamplerLayout{};
    int m_resamplerRate = 0;
    int m_resamplerFormat = -1;
};

// The words FFmpeg gives for an error code, with its last logged complaint.
QString ffmpegError(int code);
