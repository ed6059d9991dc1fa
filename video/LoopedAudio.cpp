#include "video/LoopedAudio.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "video/AudioInput.h"
#include "video/LibavError.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <sys/stat.h>

namespace {

constexpr int kMostChannels = 64;
constexpr int kHighestRate = 768000;
constexpr int kBufferedSamples = 8192;

} // namespace

LoopedAudio::LoopedAudio(const QString &path)
    : m_path(path), m_buffer(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, 2, kBufferedSamples)),
      m_packet(av_packet_alloc()), m_frame(av_frame_alloc())
{
    if (!m_buffer || !m_packet || !m_frame)
        ThrowOutOfMemory();
    OpenPass();
    // A file that holds no audio at all is told now, not found out midway.
    while (av_audio_fifo_size(m_buffer.get()) == 0) {
        if (!DecodeMore())
            Fail(QStringLiteral("it holds no sound that can be decoded"));
    }
}

LoopedAudio::~LoopedAudio()
{
    av_channel_layout_uninit(&m_inputLayout);
}

void LoopedAudio::Fail(const QString &why) const
{
    throw VistranoError(QStringLiteral("The background audio %1 cannot be decoded: %2").arg(m_path, why));
}

void LoopedAudio::OpenPass()
{
    m_decoder.reset();
    m_input.reset();
    m_draining = false;
    try {
        m_input = OpenAudioInput(m_path);
    } catch (const VistranoError &error) {
        Fail(error.message());
    }
    AVFormatContext *input = m_input.get();
    const AVCodec *codec = nullptr;
    m_stream = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (m_stream < 0 || !codec)
        Fail(QStringLiteral("it holds no sound that can be decoded"));
    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder)
        ThrowOutOfMemory();
    int result = avcodec_parameters_to_context(m_decoder.get(), input->streams[m_stream]->codecpar);
    if (result >= 0)
        result = avcodec_open2(m_decoder.get(), codec, nullptr);
    if (result < 0)
        Fail(LibavErrorText(result));
}

void LoopedAudio::MakeResampler(const AVFrame *frame)
{
    if (m_resampler && frame->sample_rate == m_inputRate && frame->format == m_inputFormat
        && av_channel_layout_compare(&frame->ch_layout, &m_inputLayout) == 0)
        return;
    const int channels = frame->ch_layout.nb_channels;
    if (frame->sample_rate <= 0 || frame->sample_rate > kHighestRate || channels <= 0 || channels > kMostChannels)
        Fail(QStringLiteral("its sample rate or channel count cannot be used"));
    AVChannelLayout layout{};
    // A layout that only counts its channels gets the usual one for that count.
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, channels);
    else if (av_channel_layout_copy(&layout, &frame->ch_layout) < 0)
        ThrowOutOfMemory();
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext *resampler = nullptr;
    int result = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLTP, kSampleRate, &layout,
                                     AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&layout);
    m_resampler.reset(resampler);
    if (result >= 0)
        result = swr_init(resampler);
    if (result < 0)
        Fail(LibavErrorText(result));
    m_inputRate = frame->sample_rate;
    m_inputFormat = frame->format;
    av_channel_layout_uninit(&m_inputLayout);
    if (av_channel_layout_copy(&m_inputLayout, &frame->ch_layout) < 0)
        ThrowOutOfMemory();
}

void LoopedAudio::Resample(const AVFrame *frame)
{
    // A null frame flushes what the resampler still holds.
    const int in = frame ? frame->nb_samples : 0;
    const int most = swr_get_out_samples(m_resampler.get(), in);
    if (most <= 0)
        return;
    std::vector<float> left(static_cast<size_t>(most));
    std::vector<float> right(static_cast<size_t>(most));
    uint8_t *out[2] = {reinterpret_cast<uint8_t *>(left.data()), reinterpret_cast<uint8_t *>(right.data())};
    const auto **samples = frame ? const_cast<const uint8_t **>(frame->extended_data) : nullptr;
    const int made = swr_convert(m_resampler.get(), out, most, samples, in);
    if (made < 0)
        Fail(LibavErrorText(made));
    if (made > 0 && av_audio_fifo_write(m_buffer.get(), reinterpret_cast<void **>(out), made) < made)
        ThrowOutOfMemory();
}

bool LoopedAudio::DecodeMore()
{
    for (;;) {
        const int got = avcodec_receive_frame(m_decoder.get(), m_frame.get());
        if (got == 0) {
            MakeResampler(m_frame.get());
            Resample(m_frame.get());
            av_frame_unref(m_frame.get());
            return true;
        }
        if (got == AVERROR_EOF) {
            if (m_resampler)
                Resample(nullptr);
            m_resampler.reset();
            return false;
        }
        if (got != AVERROR(EAGAIN)) {
            // A damaged stretch ends the pass; the next one begins afresh.
            if (m_resampler)
                Resample(nullptr);
            m_resampler.reset();
            return false;
        }
        if (m_draining)
            return false;
        const int read = av_read_frame(m_input.get(), m_packet.get());
        if (read < 0) {
            m_draining = true;
            avcodec_send_packet(m_decoder.get(), nullptr);
            continue;
        }
        if (m_packet->stream_index == m_stream) {
            // A packet that does not decode is left out.
            avcodec_send_packet(m_decoder.get(), m_packet.get());
        }
        av_packet_unref(m_packet.get());
    }
}

void LoopedAudio::Read(float *left, float *right, int count)
{
    int done = 0;
    bool passGaveSound = true;
    while (done < count) {
        const int ready = av_audio_fifo_size(m_buffer.get());
        if (ready > 0) {
            const int take = std::min(ready, count - done);
            void *out[2] = {left + done, right + done};
            if (av_audio_fifo_read(m_buffer.get(), out, take) < take)
                ThrowOutOfMemory();
            done += take;
            passGaveSound = true;
            continue;
        }
        if (m_silent) {
            std::fill(left + done, left + count, 0.0f);
            std::fill(right + done, right + count, 0.0f);
            return;
        }
        if (DecodeMore())
            continue;
        // The end of the file: from its start again, unless a whole pass
        // gave no sound (the file changed meanwhile).
        if (!passGaveSound) {
            m_silent = true;
            continue;
        }
        passGaveSound = false;
        try {
            OpenPass();
        } catch (const VistranoError &) {
            m_silent = true;
        }
    }
}
