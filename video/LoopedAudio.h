#pragma once

#include "video/LibavHandles.h"

#include <QString>

// The background audio decoded and resampled to 48 kHz stereo, planar
// floats, read in pieces of any length; when it ends it begins again. The
// file is opened anew for each pass, so nothing of it stays in memory but a
// few decoded frames.
class LoopedAudio
{
public:
    static constexpr int kSampleRate = 48000;

    // Fails with "The background audio FILE cannot be decoded: why" when the
    // file does not open or holds no audio that decodes.
    explicit LoopedAudio(const QString &path);
    ~LoopedAudio();
    LoopedAudio(const LoopedAudio &) = delete;
    LoopedAudio &operator=(const LoopedAudio &) = delete;

    // Fills `count` samples of both channels.
    void Read(float *left, float *right, int count);

private:
    void OpenPass();
    void MakeResampler(const AVFrame *frame);
    // Decodes more of the file into the buffer; false at the end of a pass.
    bool DecodeMore();
    void Resample(const AVFrame *frame);
    [[noreturn]] void Fail(const QString &why) const;

    QString m_path;
    InputPtr m_input;
    int m_stream = -1;
    CodecContextPtr m_decoder;
    SwrContextPtr m_resampler;
    // What the resampler was made for, so that a change midway is noticed.
    int m_inputRate = 0;
    int m_inputFormat = -1;
    AVChannelLayout m_inputLayout{};
    AudioFifoPtr m_buffer;
    PacketPtr m_packet;
    FramePtr m_frame;
    bool m_draining = false;
    bool m_silent = false; // a later pass gave nothing: silence from then on
};
