#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <vector>

// An MP4 file read back with FFmpeg's libraries, as a player sees it.

struct ReadStream
{
    bool present = false;
    std::string codec;      // "h264", "aac"
    std::string profile;    // "High"
    int width = 0;
    int height = 0;
    std::string pixelFormat; // "yuv420p"
    std::string colourSpace; // "bt709", "smpte170m"
    double frameRate = 0;    // the rate the timestamps keep to
    int sampleRate = 0;
    int channels = 0;
};

struct ReadVideo
{
    bool opened = false;
    int streams = 0;
    bool indexAtFront = false; // "moov" before "mdat"
    ReadStream video;
    ReadStream audio;
    std::vector<double> frameTimes; // each decoded frame's time, in seconds
    double videoEnd = 0;            // where the last frame ends
    std::vector<float> sound;       // the first channel, decoded
};

ReadVideo ReadBackVideo(const QString &path);

// The picture a player shows at that moment (the last frame that begins at
// or before it), converted to RGB with the colours its stream declares; a
// null image when there is none.
QImage VideoFrameAt(const QString &path, double seconds);

// The loudness (root mean square) of samples [from, to) of the sound.
double Loudness(const std::vector<float> &sound, size_t from, size_t to);
