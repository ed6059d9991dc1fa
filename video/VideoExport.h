#pragma once

#include "common/VistranoError.h"
#include "player/ShowTimeline.h"
#include "show/SlideshowBuild.h"
#include "video/VideoOptions.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>

// Progress as the status bar shows it: a text for panel 0 and the gauge.
struct VideoProgress
{
    QString status;
    int gauge = 0;
};
using VideoProgressCallback = std::function<void(const VideoProgress &)>;

struct VideoExportResult
{
    int frames = 0;     // the video's length in frames of its rate
    double seconds = 0; // and in seconds
    bool hasSound = false;
    // Why the background audio is not in the video, when it could not be
    // decoded; empty otherwise.
    QString audioProblem;
};

// Thrown when the export is stopped by its caller.
class VideoExportStopped : public VistranoError
{
public:
    VideoExportStopped() : VistranoError(QStringLiteral("The video export was cancelled.")) {}
};

// The timeline of the slides as the video shows them: a transition code the
// player does not know is shown as a cut.
ShowTimeline VideoTimeline(const QList<BuildSlide> &slides);

// The frames of a video: one per tick of the frame rate, enough to cover the
// show's length.
int VideoFrameCount(double seconds, int fps);

// Makes an MP4 video of the slides at outputPath: each frame is the show's
// renderer at the frame's moment of the show's timeline, with the
// background audio under it (looped or cut to the video's length, fading out
// at the end). Frames follow each other at the frame rate while the picture
// changes (a transition); a slide standing still is one frame, repeated only
// once a second as a copy, so it is rendered, converted and encoded once
// rather than for every tick of its time. The file is written beside the target under another name
// and renamed when complete: a failure or a stop leaves nothing under the
// target's name, and a file already there stays as it was. Progress goes to
// the callback, which may throw to stop the export, as may setting `stop`
// (seen before each frame).
//
// Fails with "You need to add some slides first!" for no slides, with the
// message of a picture that cannot be loaded, and with one naming the file
// when it cannot be written. Audio that cannot be decoded does not fail the
// export: the video is made without sound and the result says why.
VideoExportResult ExportVideo(const QString &outputPath, const QList<BuildSlide> &slides, const VideoOptions &options,
                              const VideoProgressCallback &progress = {}, const std::atomic<bool> *stop = nullptr);
