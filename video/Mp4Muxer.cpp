#include "video/Mp4Muxer.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "video/LibavError.h"

#include <QFileInfo>

Mp4Muxer::Mp4Muxer(const QString &path, const QString &shownName) : m_shownName(shownName)
{
    // The file protocol's own prefix, so that no part of the name is taken
    // for another protocol.
    const QByteArray url = "file:" + EncodeFileName(QFileInfo(path).absoluteFilePath());
    const int result = avformat_alloc_output_context2(&m_context, nullptr, "mp4", url.constData());
    if (result < 0 || !m_context)
        Fail(result < 0 ? result : AVERROR(ENOMEM));
}

Mp4Muxer::~Mp4Muxer()
{
    if (!m_context)
        return;
    if (m_context->pb)
        avio_closep(&m_context->pb);
    avformat_free_context(m_context);
}

void Mp4Muxer::Fail(int code)
{
    throw VistranoError(QStringLiteral("The video cannot be written to %1: %2").arg(m_shownName, LibavErrorText(code)));
}

bool Mp4Muxer::WantsGlobalHeader() const
{
    return (m_context->oformat->flags & AVFMT_GLOBALHEADER) != 0;
}

AVStream *Mp4Muxer::AddStream(const AVCodecContext *encoder)
{
    AVStream *stream = avformat_new_stream(m_context, nullptr);
    if (!stream)
        ThrowOutOfMemory();
    const int result = avcodec_parameters_from_context(stream->codecpar, encoder);
    if (result < 0)
        Fail(result);
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = encoder->framerate;
    return stream;
}

void Mp4Muxer::Open()
{
    int result = avio_open(&m_context->pb, m_context->url, AVIO_FLAG_WRITE);
    if (result < 0)
        Fail(result);
    AVDictionary *options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    result = avformat_write_header(m_context, &options);
    av_dict_free(&options);
    if (result < 0)
        Fail(result);
}

void Mp4Muxer::Write(AVPacket *packet, AVRational timeBase, AVStream *stream)
{
    av_packet_rescale_ts(packet, timeBase, stream->time_base);
    packet->stream_index = stream->index;
    const int result = av_interleaved_write_frame(m_context, packet);
    if (result < 0)
        Fail(result);
    if (m_context->pb->error < 0)
        Fail(m_context->pb->error);
}

void Mp4Muxer::Finish()
{
    int result = av_write_trailer(m_context);
    if (result < 0)
        Fail(result);
    if (m_context->pb->error < 0)
        Fail(m_context->pb->error);
    result = avio_closep(&m_context->pb);
    if (result < 0)
        Fail(result);
}
