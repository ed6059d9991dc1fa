#pragma once

#include "video/LibavHandles.h"

#include <cstdint>
#include <memory>

class LoopedAudio;
class Mp4Muxer;

// The sound of the video: the background audio, looped or cut to the
// video's length, fading out over its last two seconds, encoded as AAC at
// 48 kHz stereo.
class AacTrack
{
public:
    AacTrack(Mp4Muxer &muxer, std::unique_ptr<LoopedAudio> audio, int64_t totalSamples);
    ~AacTrack();

    // Encodes the sound up to `sample` (counted from the start, at 48 kHz).
    void WriteUntil(int64_t sample);
    // Encodes the rest up to the video's length, and what the encoder holds.
    void Finish();

private:
    void Send(const AVFrame *frame);

    Mp4Muxer &m_muxer;
    std::unique_ptr<LoopedAudio> m_audio;
    int64_t m_total;
    int64_t m_written = 0;
    CodecContextPtr m_encoder;
    AVStream *m_stream = nullptr;
    FramePtr m_frame;
    PacketPtr m_packet;
};

// The loudness at a sample of a track of `total` samples that fades out over
// its last `fade` samples: 1 before the fade, down to 0 at the end.
float FadeOutGain(int64_t sample, int64_t total, int64_t fade);
