#include "video/VideoExport.h"

#include "common/FileIdentity.h"
#include "common/FileReplacement.h"
#include "common/Rounding.h"
#include "common/Text8Bit.h"
#include "common/VistranoError.h"
#include "player/ShowRenderer.h"
#include "player/ShowTimeline.h"
#include "shell/GaugePercent.h"
#include "show/ShowPackage.h"
#include "video/AacTrack.h"
#include "video/H264Encoder.h"
#include "video/LoopedAudio.h"
#include "video/Mp4Muxer.h"
#include "video/SlidePrefetch.h"

#include <QFileInfo>

#include <cmath>
#include <memory>

extern "C" {
#include <libavutil/log.h>
}

namespace {

// The audio field counts as the build reads it: when its text is greater
// than a single space.
bool HasAudio(const QString &field)
{
    return EncodeText8(field) > QByteArray(" ");
}

// The video may not go over one of its inputs: the audio or a picture.
void RefuseWritingOverSlides(const QString &target, const QList<BuildSlide> &slides, const QString &audio)
{
    QStringList inputs;
    if (HasAudio(audio))
        inputs << QFileInfo(audio).absoluteFilePath();
    for (const BuildSlide &slide : slides)
        inputs << QFileInfo(slide.FileName).absoluteFilePath();
    RefuseWritingOverInputs(target, inputs);
}

void Report(const VideoProgressCallback &progress, const QString &status, int gauge)
{
    if (progress)
        progress(VideoProgress{status, gauge});
}

} // namespace

ShowTimeline VideoTimeline(const QList<BuildSlide> &slides)
{
    std::vector<TimelineSlide> timing;
    timing.reserve(size_t(slides.size()));
    for (const BuildSlide &slide : slides) {
        // A code the player does not know is shown as a cut, as the player
        // does with it.
        const double code = std::isfinite(slide.AbTop) ? RoundHalfEven(slide.AbTop) : 0;
        const int transition = code >= 0 && code < kTransitionCount ? int(code) : 0;
        timing.push_back({slide.AbLeft, transition});
    }
    return MakeShowTimeline(timing);
}

int VideoFrameCount(double seconds, int fps)
{
    // A hair below a whole frame is that frame: the sums of the slides'
    // times are not exact.
    return std::max(1, int(std::ceil(seconds * fps - 1e-6)));
}

VideoExportResult ExportVideo(const QString &outputPath, const QList<BuildSlide> &slides, const VideoOptions &options,
                              const VideoProgressCallback &progress, const std::atomic<bool> *stop)
{
    if (slides.isEmpty())
        throw VistranoError(QStringLiteral("You need to add some slides first!"));
    CheckVideoOptions(options);
    const QString target = QFileInfo(outputPath).absoluteFilePath();
    RefuseWritingOverSlides(target, slides, options.backgroundAudio);
    // The libraries' own remarks are not for the user: every failure comes
    // back as an error code and is reported with a message of our own.
    av_log_set_level(AV_LOG_QUIET);
    const ShowTimeline timeline = VideoTimeline(slides);
    VideoExportResult result;
    result.frames = VideoFrameCount(timeline.length, options.fps);
    result.seconds = double(result.frames) / options.fps;
    const int64_t samples = int64_t(result.frames) * LoopedAudio::kSampleRate / options.fps;

    std::unique_ptr<LoopedAudio> audio;
    if (HasAudio(options.backgroundAudio)) {
        try {
            audio = std::make_unique<LoopedAudio>(QFileInfo(options.backgroundAudio).absoluteFilePath());
        } catch (const VistranoError &error) {
            result.audioProblem = error.message();
        }
    }
    Report(progress, QStringLiteral("Exporting video..."), 0);

    // The pictures are made on their own thread from the start; the file
    // goes (and its partial copy is removed) before that thread is waited
    // for.
    SlidePrefetch pictures(slides, options.size);
    FileReplacement file(target);
    {
        Mp4Muxer muxer(file.TemporaryPath(), target);
        H264Encoder video(muxer, options.size, options.fps, options.crf);
        std::unique_ptr<AacTrack> sound;
        if (audio)
            sound = std::make_unique<AacTrack>(muxer, std::move(audio), samples);
        muxer.Open();

        ShowRenderer renderer(int(slides.size()), [&pictures](int index) { return pictures.Take(index); },
                              options.size);
        ShowMoment shown;
        int64_t shownAt = -1;
        int gauge = 0;
        for (int tick = 0; tick < result.frames; ++tick) {
            if (stop && *stop)
                throw VideoExportStopped();
            const ShowMoment moment = MomentAt(timeline, double(tick) / options.fps);
            // A new frame only when the picture changes: a slide standing
            // still is one key frame (where seeking lands), repeated once a
            // second and at the very end, so that a player or a tool that
            // asks for the picture at any moment finds a frame close by.
            if (shownAt < 0 || renderer.FrameChanges(shown, moment)) {
                // A moving slide is a key frame where it begins to stand
                // fully shown; the frames of its motion follow from it.
                const bool key = !moment.InTransition()
                                 && (shownAt < 0 || shown.index != moment.index || shown.InTransition()
                                     || !renderer.SlideMoves(moment.index));
                video.Encode(renderer.Frame(moment), tick, key);
                shown = moment;
                shownAt = tick;
            } else if (tick - shownAt >= options.fps || tick == result.frames - 1) {
                video.Repeat(tick);
                shownAt = tick;
            }
            // Only the slide on the screen and the one it comes from are kept.
            renderer.KeepSlides(moment.index - 1, moment.index);
            if (sound)
                sound->WriteUntil(int64_t(tick + 1) * LoopedAudio::kSampleRate / options.fps);
            const int now = GaugePercent(tick + 1, result.frames);
            if (now != gauge) {
                gauge = now;
                Report(progress, QStringLiteral("Exporting video: %1%").arg(gauge), gauge);
            }
        }
        video.Finish(result.frames);
        if (sound) {
            sound->Finish();
            result.hasSound = true;
        }
        muxer.Finish();
    }
    file.Commit();
    Report(progress, QStringLiteral("Done!"), 0);
    return result;
}
