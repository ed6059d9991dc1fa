#pragma once

#include "project/SlideMotion.h"

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

// What one slide contributes to a show, in slide order.
struct BuildSlide
{
    QString FileName;  // the picture file
    int Rotation = 0;  // 0, 90, 180 or 270 degrees clockwise
    double AbLeft = 5; // duration in seconds
    double AbTop = 0;  // transition code
    QString Caption;
    SlideMotion Motion = SlideMotion::None;
};

class RectBoxProperties;
// What the build takes of a slide box.
BuildSlide BuildSlideOf(const RectBoxProperties &box);

struct BuildOptions
{
    int OutputWidth = 1024;
    int OutputHeight = 768;
    int Compression = 10;       // 0..60: the JPEG quality is 100 - Compression
    QString BackgroundAudio;    // the project's audio file field, as typed
    QString TemplatePath;       // empty: kv.dll beside the running program
    int Threads = 0;            // slides rendered at once; 0: one per processor core
};

// Progress as the status bar shows it: a text for panel 0 (empty when it is
// unchanged) and the gauge (-1 when unchanged). The window lets pending events
// run in the callback.
struct BuildProgress
{
    QString status;
    int gauge = -1;
};
using BuildProgressCallback = std::function<void(const BuildProgress &)>;

// kv.dll in the folder of the running program.
QString DefaultTemplatePath();

// Builds the show file at outputPath: copies the player template over it
// (keeping the template's run bit), then appends the screen size, the
// background audio and every slide's duration, transition, caption and JPEG,
// with the slide count last. The slides are rendered on worker threads and
// appended strictly in slide order, so the file's bytes do not depend on the
// number of threads. Reports "Rendering Slide n...", "Added : n" with the
// gauge, and "Done!" with the gauge back at 0, all on the calling thread.
//
// The show is built in a file beside the output file and takes its place only
// when it is complete: a build that fails or is stopped leaves the old file
// (or none) as it was and removes its own. The progress callback stops the
// build by throwing; a throw from the last report ("Done!"), when the show
// is already in place, is ignored.
//
// Fails with "You need to add some slides first!" for no slides, with "Error
// copying needed file!" when the template cannot be copied or the output file
// is the template itself (followed by the reason when the output cannot be
// created), with a message naming both files when the output file is the
// audio or a picture of the show, and otherwise with the message of the
// failing step: an unreadable audio file, a picture that cannot be loaded
// ("Slide n (file): ..."), a write that fails. Paths are made absolute against
// the current directory, which is left as it is.
void BuildSlideshow(const QString &outputPath, const QList<BuildSlide> &slides, const BuildOptions &options,
                    const BuildProgressCallback &progress = {});
