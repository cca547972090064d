#include "tools/page/sound_source.h"

#include "platform/mci/wav_decoder.h"
#include "tools/page/ffmpeg_log.h"
#include "tools/page/page_errors.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstring>

namespace {

// The reader's buffer: FFmpeg's own default size.
constexpr int kReadBufferBytes = 32768;
constexpr AVChannelLayout kMono = AV_CHANNEL_LAYOUT_MONO;

[[noreturn]] void refuse(const QString& message) { throw EPageRefused(message.toStdString()); }

QString seconds(double value) { return QString::number(value, 'f', 1) + QStringLiteral(" s"); }

// The frame types of AMR's comfort-noise and no-data frames, in the high
// bits of each frame's first byte.
constexpr int kAmrNarrowComfortNoise = 8;
constexpr int kAmrWideComfortNoise = 9;
constexpr int kAmrWideLost = 14;
constexpr int kAmrNoData = 15;

bool isAmrPause(AVCodecID codec, const AVPacket& packet)
{
    if ((codec != AV_CODEC_ID_AMR_NB && codec != AV_CODEC_ID_AMR_WB) || packet.size < 1)
        return false;
    const int type = (packet.data[0] >> 3) & 0x0F;
    if (codec == AV_CODEC_ID_AMR_NB)
        return type == kAmrNarrowComfortNoise || type == kAmrNoData;
    return type == kAmrWideComfortNoise || type == kAmrWideLost || type == kAmrNoData;
}

} // namespace

QString ffmpegError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    QString message = QString::fromUtf8(text);
    const QString complaint = lastFfmpegComplaint();
    if (!complaint.isEmpty())
        message += QStringLiteral(" (%1)").arg(complaint);
    return message;
}

int SoundSource::readPacket(void* opaque, uint8_t* buffer, int size)
{
    auto& reader = *static_cast<MemoryReader*>(opaque);
    const qint64 left = reader.bytes.size() - reader.position;
    if (left <= 0)
        return AVERROR_EOF;
    const int count = static_cast<int>(std::min<qint64>(left, size));
    std::memcpy(buffer, reader.bytes.constData() + reader.position, static_cast<std::size_t>(count));
    reader.position += count;
    return count;
}

int64_t SoundSource::seek(void* opaque, int64_t offset, int whence)
{
    auto& reader = *static_cast<MemoryReader*>(opaque);
    const qint64 size = reader.bytes.size();
    qint64 target = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return size;
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = reader.position + offset; break;
    case SEEK_END: target = size + offset; break;
    default: return AVERROR(EINVAL);
    }
    if (target < 0 || target > size)
        return AVERROR(EINVAL);
    reader.position = target;
    return target;
}

SoundSource::SoundSource(const QByteArray& bytes) : m_reader{bytes}
{
    captureFfmpegLog();
    forgetFfmpegLog();
    auto* buffer = static_cast<unsigned char*>(av_malloc(kReadBufferBytes));
    m_io.reset(avio_alloc_context(buffer, kReadBufferBytes, 0, &m_reader, &SoundSource::readPacket, nullptr,
                                  &SoundSource::seek));
    if (!m_io) {
        av_free(buffer);
        refuse(QStringLiteral("there is not enough memory to read it"));
    }
    AVFormatContext* input = avformat_alloc_context();
    if (!input)
        refuse(QStringLiteral("there is not enough memory to read it"));
    input->pb = m_io.get();
    input->flags |= AVFMT_FLAG_CUSTOM_IO;
    // On failure FFmpeg frees the context itself.
    if (const int error = avformat_open_input(&input, nullptr, nullptr, nullptr); error < 0)
        refuse(QStringLiteral("it is not a sound file that can be read: %1").arg(ffmpegError(error)));
    m_input.reset(input);
    if (const int error = avformat_find_stream_info(m_input.get(), nullptr); error < 0)
        refuse(QStringLiteral("its streams cannot be read: %1").arg(ffmpegError(error)));

    const AVCodec* codec = nullptr;
    m_stream = av_find_best_stream(m_input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (m_stream == AVERROR_STREAM_NOT_FOUND)
        refuse(QStringLiteral("it holds no sound (FFmpeg reads it as %1)")
                   .arg(QString::fromUtf8(m_input->iformat->long_name ? m_input->iformat->long_name
                                                                      : m_input->iformat->name)));
    if (m_stream < 0 || !codec)
        refuse(QStringLiteral("its sound is in a form there is no decoder for: %1").arg(ffmpegError(m_stream)));

    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder)
        refuse(QStringLiteral("there is not enough memory to decode it"));
    const AVStream* stream = m_input->streams[m_stream];
    if (const int error = avcodec_parameters_to_context(m_decoder.get(), stream->codecpar); error < 0)
        refuse(QStringLiteral("its sound cannot be decoded: %1").arg(ffmpegError(error)));
    if (const int error = avcodec_open2(m_decoder.get(), codec, nullptr); error < 0)
        refuse(QStringLiteral("its sound cannot be decoded: %1").arg(ffmpegError(error)));
    if (m_decoder->sample_rate <= 0 || m_decoder->ch_layout.nb_channels <= 0)
        refuse(QStringLiteral("its sound has no rate or no channels"));
    // A rate far outside these is a damaged header, and converting from it
    // would build a resampling filter of millions of taps.
    if (m_decoder->sample_rate < mci::kMinWavRate || m_decoder->sample_rate > mci::kMaxWavRate)
        refuse(QStringLiteral("its sound claims a rate of %1 Hz, which no recording has").arg(m_decoder->sample_rate));
    if (statedSeconds() > kMaxSoundSeconds)
        refuse(QStringLiteral("it lasts %1, more than the %2 a page's sound may have")
                   .arg(seconds(statedSeconds()), seconds(kMaxSoundSeconds)));
}

SoundSource::~SoundSource() { av_channel_layout_uninit(&m_resamplerLayout); }

QString SoundSource::codec() const
{
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(m_decoder->codec_id);
    return QString::fromUtf8(descriptor ? descriptor->name : m_decoder->codec->name).toUpper();
}

int SoundSource::sourceRate() const { return m_decoder->sample_rate; }
int SoundSource::sourceChannels() const { return m_decoder->ch_layout.nb_channels; }

double SoundSource::statedSeconds() const
{
    const AVStream* stream = m_input->streams[m_stream];
    if (stream->duration > 0 && stream->time_base.den > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (m_input->duration > 0)
        return static_cast<double>(m_input->duration) / AV_TIME_BASE;
    return 0.0;
}

int SoundSource::outputRate() const { return sourceRate() <= kLowSoundRate ? kLowSoundRate : kHighSoundRate; }

void SoundSource::convert(const AVFrame& frame, std::vector<std::int16_t>& samples)
{
    if (frame.sample_rate < mci::kMinWavRate || frame.sample_rate > mci::kMaxWavRate)
        refuse(QStringLiteral("its sound claims a rate of %1 Hz, which no recording has").arg(frame.sample_rate));
    AVChannelLayout layout{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&frame.ch_layout) == 0)
        av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
    else
        av_channel_layout_copy(&layout, &frame.ch_layout);
    if (!m_resampler) {
        SwrContext* resampler = nullptr;
        AVChannelLayout mono = kMono; // FFmpeg 5 takes it without const
        if (swr_alloc_set_opts2(&resampler, &mono, AV_SAMPLE_FMT_S16, outputRate(), &layout,
                                static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr)
                < 0
            || !resampler) {
            av_channel_layout_uninit(&layout);
            refuse(QStringLiteral("its sound has a form that cannot be converted"));
        }
        m_resampler.reset(resampler);
        if (const int error = swr_init(m_resampler.get()); error < 0) {
            av_channel_layout_uninit(&layout);
            refuse(QStringLiteral("its sound has a form that cannot be converted: %1").arg(ffmpegError(error)));
        }
        av_channel_layout_copy(&m_resamplerLayout, &layout);
        m_resamplerRate = frame.sample_rate;
        m_resamplerFormat = frame.format;
    }
    const bool same = av_channel_layout_compare(&layout, &m_resamplerLayout) == 0
        && frame.sample_rate == m_resamplerRate && frame.format == m_resamplerFormat;
    av_channel_layout_uninit(&layout);
    if (!same)
        refuse(QStringLiteral("its sound changes its form half-way (rate or channels)"));

    const int room = swr_get_out_samples(m_resampler.get(), frame.nb_samples);
    if (room < 0)
        refuse(QStringLiteral("its sound cannot be converted: %1").arg(ffmpegError(room)));
    const std::size_t before = samples.size();
    samples.resize(before + static_cast<std::size_t>(room));
    auto* out = reinterpret_cast<uint8_t*>(samples.data() + before);
    const int converted = swr_convert(m_resampler.get(), &out, room, const_cast<const uint8_t**>(frame.extended_data),
                                      frame.nb_samples);
    if (converted < 0)
        refuse(QStringLiteral("its sound cannot be converted: %1").arg(ffmpegError(converted)));
    samples.resize(before + static_cast<std::size_t>(converted));
}

void SoundSource::drain(std::vector<std::int16_t>& samples)
{
    if (!m_resampler)
        return;
    const int room = swr_get_out_samples(m_resampler.get(), 0);
    if (room <= 0)
        return;
    const std::size_t before = samples.size();
    samples.resize(before + static_cast<std::size_t>(room));
    auto* out = reinterpret_cast<uint8_t*>(samples.data() + before);
    const int converted = swr_convert(m_resampler.get(), &out, room, nullptr, 0);
    samples.resize(before + static_cast<std::size_t>(std::max(converted, 0)));
}

content::WaveClip SoundSource::decodeMono()
{
    content::WaveClip clip;
    clip.sampleRate = outputRate();
    const auto mostSamples = static_cast<std::size_t>(kMaxSoundSeconds * clip.sampleRate);
    const ffmpeg::Packet packet(av_packet_alloc());
    const ffmpeg::Frame frame(av_frame_alloc());
    if (!packet || !frame)
        refuse(QStringLiteral("there is not enough memory to decode it"));

    const auto at = [&clip] { return seconds(static_cast<double>(clip.samples.size()) / clip.sampleRate); };
    // Checked after every addition, pauses too: a file of nothing but pause
    // frames would otherwise grow without bound before anything is decoded.
    const auto refuseIfTooLong = [&clip, mostSamples] {
        if (clip.samples.size() > mostSamples)
            refuse(QStringLiteral("it lasts more than the %1 a page's sound may have").arg(seconds(kMaxSoundSeconds)));
    };
    const auto receiveFrames = [&] {
        for (;;) {
            const int error = avcodec_receive_frame(m_decoder.get(), frame.get());
            if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
                return;
            if (error < 0)
                refuse(QStringLiteral("its sound is damaged at %1: %2").arg(at(), ffmpegError(error)));
            convert(*frame, clip.samples);
            av_frame_unref(frame.get());
            refuseIfTooLong();
        }
    };

    int status = 0;
    while ((status = av_read_frame(m_input.get(), packet.get())) >= 0) {
        if (packet->stream_index == m_stream) {
            // AMR's pause frames, which phones write where nobody speaks, have
            // no decoder here; they stand for near silence, so silence it is.
            if (isAmrPause(m_decoder->codec_id, *packet)) {
                const int64_t gap = av_rescale_q(packet->duration, m_input->streams[m_stream]->time_base,
                                                 AVRational{1, clip.sampleRate});
                clip.samples.insert(clip.samples.end(),
                                    static_cast<std::size_t>(std::clamp<int64_t>(gap, 0, clip.sampleRate)),
                                    std::int16_t{0});
                av_packet_unref(packet.get());
                refuseIfTooLong();
                continue;
            }
            const int error = avcodec_send_packet(m_decoder.get(), packet.get());
            av_packet_unref(packet.get());
            if (error < 0)
                refuse(QStringLiteral("its sound is damaged at %1: %2").arg(at(), ffmpegError(error)));
            receiveFrames();
        } else {
            av_packet_unref(packet.get());
        }
    }
    if (status != AVERROR_EOF)
        refuse(QStringLiteral("the file is damaged or ends early (cut off while copying?) at %1: %2")
                   .arg(at(), ffmpegError(status)));
    avcodec_send_packet(m_decoder.get(), nullptr);
    receiveFrames();
    drain(clip.samples);
    if (clip.samples.empty())
        refuse(QStringLiteral("it holds no sound at all (0 s)"));
    return clip;
}
