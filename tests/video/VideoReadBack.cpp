#include "tests/video/VideoReadBack.h"

#include <QFile>

#include <cmath>
#include <functional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace {

// The order of the top-level boxes of an MP4 file.
bool MoovBeforeMdat(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    qint64 at = 0;
    while (at + 8 <= bytes.size()) {
        const auto *p = reinterpret_cast<const uchar *>(bytes.constData() + at);
        qint64 size = (qint64(p[0]) << 24) | (qint64(p[1]) << 16) | (qint64(p[2]) << 8) | qint64(p[3]);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "moov")
            return true;
        if (type == "mdat")
            return false;
        if (size == 1 && at + 16 <= bytes.size()) {
            size = 0;
            for (int i = 8; i < 16; ++i)
                size = size << 8 | p[i];
        }
        if (size < 8)
            return false;
        at += size;
    }
    return false;
}

// Decodes every frame of one kind of stream, in order, handing each to `take`.
void DecodeStream(const QString &path, AVMediaType kind, const std::function<void(const AVFrame *, AVRational)> &take)
{
    AVFormatContext *input = nullptr;
    if (avformat_open_input(&input, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return;
    avformat_find_stream_info(input, nullptr);
    const AVCodec *codec = nullptr;
    const int stream = av_find_best_stream(input, kind, -1, -1, &codec, 0);
    AVCodecContext *decoder = stream >= 0 ? avcodec_alloc_context3(codec) : nullptr;
    if (decoder) {
        avcodec_parameters_to_context(decoder, input->streams[stream]->codecpar);
        decoder->pkt_timebase = input->streams[stream]->time_base;
        if (avcodec_open2(decoder, codec, nullptr) == 0) {
            AVPacket *packet = av_packet_alloc();
            AVFrame *frame = av_frame_alloc();
            auto drain = [&] {
                while (avcodec_receive_frame(decoder, frame) == 0) {
                    take(frame, input->streams[stream]->time_base);
                    av_frame_unref(frame);
                }
            };
            while (av_read_frame(input, packet) >= 0) {
                if (packet->stream_index == stream && avcodec_send_packet(decoder, packet) == 0)
                    drain();
                av_packet_unref(packet);
            }
            avcodec_send_packet(decoder, nullptr);
            drain();
            av_frame_free(&frame);
            av_packet_free(&packet);
        }
        avcodec_free_context(&decoder);
    }
    avformat_close_input(&input);
}

QImage ToRgb(const AVFrame *frame)
{
    const bool bt709 = frame->colorspace == AVCOL_SPC_BT709;
    SwsContext *converter = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                           frame->height, AV_PIX_FMT_BGRA, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr,
                                           nullptr, nullptr);
    const int *coefficients = sws_getCoefficients(bt709 ? SWS_CS_ITU709 : SWS_CS_ITU601);
    sws_setColorspaceDetails(converter, coefficients, frame->color_range == AVCOL_RANGE_JPEG, coefficients, 1, 0,
                             1 << 16, 1 << 16);
    QImage rgb(frame->width, frame->height, QImage::Format_RGB32);
    uint8_t *out[1] = {rgb.bits()};
    const int stride[1] = {int(rgb.bytesPerLine())};
    sws_scale(converter, frame->data, frame->linesize, 0, frame->height, out, stride);
    sws_freeContext(converter);
    return rgb;
}

} // namespace

ReadVideo ReadBackVideo(const QString &path)
{
    ReadVideo read;
    AVFormatContext *input = nullptr;
    if (avformat_open_input(&input, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return read;
    read.opened = avformat_find_stream_info(input, nullptr) >= 0;
    read.streams = int(input->nb_streams);
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream *stream = input->streams[i];
        const AVCodecParameters *p = stream->codecpar;
        ReadStream &facts = p->codec_type == AVMEDIA_TYPE_VIDEO ? read.video : read.audio;
        facts.present = true;
        facts.codec = avcodec_get_name(p->codec_id);
        if (const char *profile = avcodec_profile_name(p->codec_id, p->profile))
            facts.profile = profile;
        facts.width = p->width;
        facts.height = p->height;
        if (p->codec_type == AVMEDIA_TYPE_VIDEO) {
            if (const char *name = av_get_pix_fmt_name(AVPixelFormat(p->format)))
                facts.pixelFormat = name;
            facts.colourSpace = av_color_space_name(p->color_space);
            facts.frameRate = av_q2d(stream->r_frame_rate);
        }
        facts.sampleRate = p->sample_rate;
        facts.channels = p->ch_layout.nb_channels;
    }
    avformat_close_input(&input);
    read.indexAtFront = MoovBeforeMdat(path);
    DecodeStream(path, AVMEDIA_TYPE_VIDEO, [&](const AVFrame *frame, AVRational base) {
        const double start = double(frame->best_effort_timestamp) * av_q2d(base);
        read.frameTimes.push_back(start);
        read.videoEnd = start + double(frame->pkt_duration) * av_q2d(base);
    });
    DecodeStream(path, AVMEDIA_TYPE_AUDIO, [&](const AVFrame *frame, AVRational) {
        const auto *samples = reinterpret_cast<const float *>(frame->extended_data[0]);
        if (frame->format == AV_SAMPLE_FMT_FLTP)
            read.sound.insert(read.sound.end(), samples, samples + frame->nb_samples);
    });
    return read;
}

QImage VideoFrameAt(const QString &path, double seconds)
{
    QImage shown;
    DecodeStream(path, AVMEDIA_TYPE_VIDEO, [&](const AVFrame *frame, AVRational base) {
        if (double(frame->best_effort_timestamp) * av_q2d(base) <= seconds + 1e-9)
            shown = ToRgb(frame);
    });
    return shown;
}

double Loudness(const std::vector<float> &sound, size_t from, size_t to)
{
    to = std::min(to, sound.size());
    if (from >= to)
        return 0;
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(sound[i]) * sound[i];
    return std::sqrt(sum / double(to - from));
}
