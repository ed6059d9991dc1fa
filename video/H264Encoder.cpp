#include "video/H264Encoder.h"

#include "common/VistranoError.h"
#include "video/LibavError.h"
#include "video/Mp4Muxer.h"
#include "video/VideoOptions.h"

#include <QThread>

#include <algorithm>

extern "C" {
#include <libavutil/opt.h>
}

namespace {

// Fast enough to encode well ahead of real time on two cores; x264's own
// rate factor keeps the picture's quality whatever the preset.
constexpr const char *kPreset = "veryfast";
constexpr int kLookahead = 5;
constexpr int kMostThreads = 4;

} // namespace

H264Encoder::H264Encoder(Mp4Muxer &muxer, QSize size, int fps, int crf)
    : m_muxer(muxer), m_size(size), m_frame(av_frame_alloc()), m_packet(av_packet_alloc())
{
    if (!m_frame || !m_packet)
        ThrowOutOfMemory();
    const AVCodec *codec = avcodec_find_encoder_by_name("libx264");
    if (!codec)
        throw VistranoError(QStringLiteral("This system's FFmpeg has no H.264 encoder (libx264)"));
    m_encoder.reset(avcodec_alloc_context3(codec));
    if (!m_encoder)
        ThrowOutOfMemory();
    AVCodecContext *c = m_encoder.get();
    c->width = size.width();
    c->height = size.height();
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = AVRational{1, fps};
    c->framerate = AVRational{fps, 1};
    c->sample_aspect_ratio = AVRational{1, 1};
    // A frame thread for each core (x264 would take half as many again):
    // each more holds frames in memory without going faster.
    c->thread_count = std::clamp(QThread::idealThreadCount(), 1, kMostThreads);
    // Frames are decoded in the order they are shown: with B-frames the
    // decoding times of held frames would be packed together, and the file
    // would say that the video ends before its last frame has been shown.
    c->max_b_frames = 0;
    const bool hd = UsesBt709(size);
    c->colorspace = hd ? AVCOL_SPC_BT709 : AVCOL_SPC_SMPTE170M;
    c->color_primaries = hd ? AVCOL_PRI_BT709 : AVCOL_PRI_SMPTE170M;
    c->color_trc = hd ? AVCOL_TRC_BT709 : AVCOL_TRC_SMPTE170M;
    c->color_range = AVCOL_RANGE_MPEG;
    if (muxer.WantsGlobalHeader())
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(c->priv_data, "preset", kPreset, 0);
    av_opt_set(c->priv_data, "profile", "high", 0);
    av_opt_set_double(c->priv_data, "crf", crf, 0);
    // The macroblock tree would spend fewer bits on a frame that few others
    // refer to, and a slide's still is such a frame, though it is seen for
    // seconds: without it the still gets the quality the rate factor asks
    // for. The look ahead is then kept short: each frame it holds costs
    // memory at full size.
    av_opt_set_int(c->priv_data, "mbtree", 0, 0);
    av_opt_set_int(c->priv_data, "rc-lookahead", kLookahead, 0);
    CheckLibav(avcodec_open2(c, codec, nullptr), QStringLiteral("The H.264 encoder cannot start"));
    m_stream = muxer.AddStream(c);

    m_frame->format = AV_PIX_FMT_YUV420P;
    m_frame->width = size.width();
    m_frame->height = size.height();
    m_frame->color_range = c->color_range;
    m_frame->colorspace = c->colorspace;
    m_frame->color_primaries = c->color_primaries;
    m_frame->color_trc = c->color_trc;
    if (av_frame_get_buffer(m_frame.get(), 0) < 0)
        ThrowOutOfMemory();

    // The frames are made at the video's size: only the colours change.
    m_converter.reset(sws_getContext(size.width(), size.height(), AV_PIX_FMT_BGRA, size.width(), size.height(),
                                     AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!m_converter)
        ThrowOutOfMemory();
    const int *coefficients = sws_getCoefficients(hd ? SWS_CS_ITU709 : SWS_CS_ITU601);
    sws_setColorspaceDetails(m_converter.get(), coefficients, 1, coefficients, 0, 0, 1 << 16, 1 << 16);
}

void H264Encoder::Encode(const QImage &frame, int64_t tick, bool key)
{
    if (frame.size() != m_size || frame.format() != QImage::Format_RGB32)
        throw VistranoError(QStringLiteral("A frame of the show does not have the video's size"));
    // The encoder may still hold the buffer of the frame before.
    CheckLibav(av_frame_make_writable(m_frame.get()), QStringLiteral("The video's frame cannot be made"));
    const uint8_t *source[1] = {frame.constBits()};
    const int stride[1] = {int(frame.bytesPerLine())};
    sws_scale(m_converter.get(), source, stride, 0, frame.height(), m_frame->data, m_frame->linesize);
    m_frame->pict_type = key ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    av_frame_remove_side_data(m_frame.get(), AV_FRAME_DATA_REGIONS_OF_INTEREST);
    Send(m_frame.get(), tick);
}

void H264Encoder::Repeat(int64_t tick)
{
    if (m_last < 0)
        throw VistranoError(QStringLiteral("The video has no frame to repeat"));
    m_frame->pict_type = AV_PICTURE_TYPE_NONE;
    // x264 would spend bits refining a picture it is given again (a frame
    // held long is worth more to its rate control); the whole frame as a
    // region of the coarsest quantiser leaves it nothing to refine, so the
    // repeat is a copy of the frame before, and the picture does not change
    // its look while it stands.
    if (!av_frame_get_side_data(m_frame.get(), AV_FRAME_DATA_REGIONS_OF_INTEREST)) {
        AVFrameSideData *data =
            av_frame_new_side_data(m_frame.get(), AV_FRAME_DATA_REGIONS_OF_INTEREST, sizeof(AVRegionOfInterest));
        if (!data)
            ThrowOutOfMemory();
        auto *region = reinterpret_cast<AVRegionOfInterest *>(data->data);
        *region = AVRegionOfInterest{};
        region->self_size = sizeof(AVRegionOfInterest);
        region->right = m_size.width();
        region->bottom = m_size.height();
        region->qoffset = AVRational{1, 1};
    }
    Send(m_frame.get(), tick);
}

void H264Encoder::Finish(int64_t endTick)
{
    if (m_last >= 0)
        m_lengths[m_last] = std::max<int64_t>(1, endTick - m_last);
    Send(nullptr, endTick);
}

void H264Encoder::Send(const AVFrame *frame, int64_t tick)
{
    if (frame) {
        if (tick <= m_last)
            throw VistranoError(QStringLiteral("The video's frames are out of order"));
        if (m_last >= 0)
            m_lengths[m_last] = tick - m_last;
        m_frame->pts = tick;
        m_last = tick;
    }
    CheckLibav(avcodec_send_frame(m_encoder.get(), frame), QStringLiteral("The H.264 encoder failed"));
    for (;;) {
        const int result = avcodec_receive_packet(m_encoder.get(), m_packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return;
        CheckLibav(result, QStringLiteral("The H.264 encoder failed"));
        const auto length = m_lengths.find(m_packet->pts);
        if (length != m_lengths.end()) {
            m_packet->duration = length->second;
            m_lengths.erase(length);
        }
        m_muxer.Write(m_packet.get(), m_encoder->time_base, m_stream);
    }
}
