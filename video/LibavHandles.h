#pragma once

// Owners for FFmpeg's objects, each freed by its library's own call.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

struct AvCodecContextFree
{
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct AvFrameFree
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct AvPacketFree
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct AvInputFree
{
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
struct SwsContextFree
{
    void operator()(SwsContext *context) const { sws_freeContext(context); }
};
struct SwrContextFree
{
    void operator()(SwrContext *context) const { swr_free(&context); }
};
struct AvAudioFifoFree
{
    void operator()(AVAudioFifo *fifo) const { av_audio_fifo_free(fifo); }
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, AvCodecContextFree>;
using FramePtr = std::unique_ptr<AVFrame, AvFrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, AvPacketFree>;
using InputPtr = std::unique_ptr<AVFormatContext, AvInputFree>;
using SwsContextPtr = std::unique_ptr<SwsContext, SwsContextFree>;
using SwrContextPtr = std::unique_ptr<SwrContext, SwrContextFree>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AvAudioFifoFree>;
