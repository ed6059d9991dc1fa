#pragma once

#include <QString>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// An MP4 file being written: its streams are added first, then the header
// is written and the encoders' packets are interleaved by time; the end
// moves the index ("moov") to the front of the file so that players can
// begin before they have the whole file. Every failure (a full disk, an
// unwritable folder) throws with a message that names the file.
class Mp4Muxer
{
public:
    // `path` is a plain file path, created or truncated by Open();
    // messages name the file as `shownName`.
    Mp4Muxer(const QString &path, const QString &shownName);
    ~Mp4Muxer();
    Mp4Muxer(const Mp4Muxer &) = delete;
    Mp4Muxer &operator=(const Mp4Muxer &) = delete;

    // Encoders whose output goes into an MP4 keep their headers apart.
    bool WantsGlobalHeader() const;
    // A new stream carrying the opened encoder's parameters.
    AVStream *AddStream(const AVCodecContext *encoder);

    void Open();
    // Takes the packet's contents, its times counted in `timeBase`.
    void Write(AVPacket *packet, AVRational timeBase, AVStream *stream);
    // Writes the index and closes the file.
    void Finish();

private:
    [[noreturn]] void Fail(int code);

    QString m_shownName;
    AVFormatContext *m_context = nullptr;
};
