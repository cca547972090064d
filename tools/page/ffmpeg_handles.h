// Owners for FFmpeg's C objects, so that every path out of the sound decoder,
// an exception included, frees them: a demuxer reading from memory, a
// decoder, a resampler, packets and frames. FFmpeg's types stay inside the
// page tool's sound files.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace ffmpeg {

struct InputClose {
    void operator()(AVFormatContext* context) const noexcept { avformat_close_input(&context); }
};
// A custom reader's buffer belongs to it, and may have been replaced by FFmpeg.
struct IoContextFree {
    void operator()(AVIOContext* io) const noexcept
    {
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
};
struct CodecContextFree {
    void operator()(AVCodecContext* context) const noexcept { avcodec_free_context(&context); }
};
struct ResamplerFree {
    void operator()(SwrContext* resampler) const noexcept { swr_free(&resampler); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const noexcept { av_packet_free(&packet); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const noexcept { av_frame_free(&frame); }
};

using Input = std::unique_ptr<AVFormatContext, InputClose>;
using IoContext = std::unique_ptr<AVIOContext, IoContextFree>;
using CodecContext = std::unique_ptr<AVCodecContext, CodecContextFree>;
using Resampler = std::unique_ptr<SwrContext, ResamplerFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;

} // namespace ffmpeg
