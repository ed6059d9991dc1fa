#pragma once

#include "video/LibavHandles.h"

#include <QImage>
#include <QSize>

#include <map>

class Mp4Muxer;

// The video stream: frames of the show, converted from RGB to 4:2:0 YUV (in
// the colours players assume for the size) and encoded as H.264 High profile
// at a constant rate factor. Every frame stands at a tick of the frame rate
// and lasts until the next one, so a picture that stands still can be one
// frame held for many ticks. The encoder's threads take both processor cores.
class H264Encoder
{
public:
    H264Encoder(Mp4Muxer &muxer, QSize size, int fps, int crf);

    // A frame shown from `tick` on: a Format_RGB32 image of the video's size.
    // A key frame is one a player can begin decoding at, when it seeks.
    void Encode(const QImage &frame, int64_t tick, bool key = false);
    // The frame before, again from `tick` on: nothing is converted, and the
    // encoder is told to copy the frame before rather than refine it.
    void Repeat(int64_t tick);
    // Ends the last frame at `endTick` and sends what the encoder still
    // holds to the file.
    void Finish(int64_t endTick);

private:
    void Send(const AVFrame *frame, int64_t tick);

    Mp4Muxer &m_muxer;
    QSize m_size;
    CodecContextPtr m_encoder;
    AVStream *m_stream = nullptr;
    SwsContextPtr m_converter;
    FramePtr m_frame;
    PacketPtr m_packet;
    int64_t m_last = -1; // the tick of the frame sent last
    // How long each frame the encoder still holds lasts, by its tick, once
    // the next one is known: the file needs the last frame's length.
    std::map<int64_t, int64_t> m_lengths;
};
