#pragma once

#include "common/VistranoError.h"
#include "show/SlideshowBuild.h"

#include <QList>
#include <QSize>
#include <QString>

#include <atomic>

// What a web show is made at: the screen size and JPEG compression of the
// build (the page carries the very JPEGs a show built at that size holds).
struct WebShowOptions
{
    QSize size{1024, 768};
    int compression = 10;    // 0..60: the JPEG quality is 100 - compression
    QString backgroundAudio; // the project's audio file field, as typed
};

struct WebShowResult
{
    qint64 pictureBytes = 0; // the slides' JPEGs
    qint64 audioBytes = 0;   // the sound as the page carries it
    qint64 pageBytes = 0;    // the whole page
    double seconds = 0;      // the show's length
    bool hasSound = false;
    // Why the background audio is not on the page, when it could not be
    // read or decoded; empty otherwise.
    QString audioProblem;
};

// Thrown when the export is stopped by its caller.
class WebShowStopped : public VistranoError
{
public:
    WebShowStopped() : VistranoError(QStringLiteral("The web show export was stopped.")) {}
};

// Makes one self-contained HTML page that plays the slides: each slide's
// picture rendered and compressed as the build does it, embedded as data, the
// timeline of the player, the captions, the background audio (see
// WebShowAudio) and the page's own style and script, with a policy that
// forbids any network access. The page is written beside the target and
// takes its place only when complete; a failure or a stop leaves the old
// file (or none). Reports "Rendering Slide n...", "Added : n" with the gauge,
// and "Done!" with the gauge back at 0; `stop` is seen before each slide.
//
// Fails with "You need to add some slides first!" for no slides, with
// "Invalid screen size" or "Invalid compression" for options out of range,
// with a message naming both files when the output is a picture or the
// audio of the show, with the message of a picture that cannot be loaded,
// and with one naming the file when it cannot be written. Audio that cannot
// be read or decoded does not fail the export: the page is made without sound
// and the result says why.
WebShowResult ExportWebShow(const QString &outputPath, const QList<BuildSlide> &slides, const WebShowOptions &options,
                            const BuildProgressCallback &progress = {}, const std::atomic<bool> *stop = nullptr);

// Where the export proposes to write: the project's name (or "MyShow1") with
// ".html", in the folder a web show was last written to, else the project's
// folder, else the home folder.
QString DefaultWebShowPath(const QString &projectPath, const QString &lastFolder);
