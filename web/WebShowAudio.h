#pragma once

#include <QByteArray>
#include <QString>

// The background audio as the page carries it: a format every current
// browser plays. An MP3 goes in as it is (the page loops it and fades it
// out at the end); anything else FFmpeg decodes (WAV above all) is made AAC
// in an M4A of the show's length, looped or cut and faded out as the video's
// sound is.
struct WebShowAudio
{
    QByteArray bytes;
    QByteArray mimeType;
    bool fadesOut = false; // true when the page must fade it out itself
};

// Fails with "The background audio FILE cannot be decoded: why" when the
// file is neither an MP3 nor audio that decodes, and with the reading's
// message when it cannot be read.
WebShowAudio MakeWebShowAudio(const QString &path, double showSeconds);

// Whether the bytes are an MP3 stream: an ID3 tag or an MPEG audio layer III
// frame header at the start.
bool LooksLikeMp3(const QByteArray &bytes);
