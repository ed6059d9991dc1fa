#include "video/AacTrack.h"

#include "common/VistranoError.h"
#include "video/LibavError.h"
#include "video/LoopedAudio.h"
#include "video/Mp4Muxer.h"

#include <algorithm>

namespace {

constexpr int kBitRate = 192000;
constexpr int64_t kFadeSamples = 2 * LoopedAudio::kSampleRate;

} // namespace

float FadeOutGain(int64_t sample, int64_t total, int64_t fade)
{
    const int64_t left = total - sample;
    if (fade <= 0 || left >= fade)
        return 1.0f;
    return left <= 0 ? 0.0f : float(double(left) / double(fade));
}

AacTrack::AacTrack(Mp4Muxer &muxer, std::unique_ptr<LoopedAudio> audio, int64_t totalSamples)
    : m_muxer(muxer), m_audio(std::move(audio)), m_total(totalSamples), m_frame(av_frame_alloc()),
      m_packet(av_packet_alloc())
{
    if (!m_frame || !m_packet)
        ThrowOutOfMemory();
    const AVCodec *codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec)
        throw VistranoError(QStringLiteral("This system's FFmpeg has no AAC encoder"));
    m_encoder.reset(avcodec_alloc_context3(codec));
    if (!m_encoder)
        ThrowOutOfMemory();
    AVCodecContext *c = m_encoder.get();
    c->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c->sample_rate = LoopedAudio::kSampleRate;
    c->bit_rate = kBitRate;
    c->time_base = AVRational{1, LoopedAudio::kSampleRate};
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    if (av_channel_layout_copy(&c->ch_layout, &stereo) < 0)
        ThrowOutOfMemory();
    if (muxer.WantsGlobalHeader())
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    CheckLibav(avcodec_open2(c, codec, nullptr), QStringLiteral("The AAC encoder cannot start"));
    m_stream = muxer.AddStream(c);

    m_frame->format = c->sample_fmt;
    m_frame->sample_rate = c->sample_rate;
    if (av_channel_layout_copy(&m_frame->ch_layout, &c->ch_layout) < 0)
        ThrowOutOfMemory();
    m_frame->nb_samples = c->frame_size;
    if (av_frame_get_buffer(m_frame.get(), 0) < 0)
        ThrowOutOfMemory();
}

AacTrack::~AacTrack() = default;

void AacTrack::WriteUntil(int64_t sample)
{
    const int64_t until = std::min(sample, m_total);
    const int frameSize = m_encoder->frame_size;
    // Whole frames only, but for the last one, which may be short.
    while (m_written + frameSize <= until || (until == m_total && m_written < m_total)) {
        const int count = int(std::min<int64_t>(frameSize, m_total - m_written));
        CheckLibav(av_frame_make_writable(m_frame.get()), QStringLiteral("The sound's frame cannot be made"));
        m_frame->nb_samples = count;
        auto *left = reinterpret_cast<float *>(m_frame->data[0]);
        auto *right = reinterpret_cast<float *>(m_frame->data[1]);
        m_audio->Read(left, right, count);
        for (int i = 0; i < count; ++i) {
            const float gain = FadeOutGain(m_written + i, m_total, kFadeSamples);
            left[i] *= gain;
            right[i] *= gain;
        }
        m_frame->pts = m_written;
        m_written += count;
        Send(m_frame.get());
    }
}

void AacTrack::Finish()
{
    WriteUntil(m_total);
    Send(nullptr);
}

void AacTrack::Send(const AVFrame *frame)
{
    CheckLibav(avcodec_send_frame(m_encoder.get(), frame), QStringLiteral("The AAC encoder failed"));
    for (;;) {
        const int result = avcodec_receive_packet(m_encoder.get(), m_packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return;
        CheckLibav(result, QStringLiteral("The AAC encoder failed"));
        m_muxer.Write(m_packet.get(), m_encoder->time_base, m_stream);
    }
}
