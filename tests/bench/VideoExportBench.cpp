// The video export against FFmpeg's command line: `vistrano-cli video` of a
// 20-slide show (the 4000 by 3000 photos, 4 s each, dissolves, captions) at
// 1920x1080 and 30 fps, and in the same run the equivalent filter graph of
// the ffmpeg program: every photo looped as a still, scaled and padded to
// 1920x1080, xfade dissolves of a second, libx264 veryfast at CRF 20.

#include "project/ProjectFile.h"
#include "tests/bench/Bench.h"
#include "tests/bench/MeasuredRun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <cstdio>
#include <vector>

namespace {

constexpr int kSlides = 20;
constexpr int kSeconds = 4;

QString WriteProject(const QString &path, const QStringList &files)
{
    std::vector<RectBoxProperties> boxes(size_t(files.size()));
    std::vector<const RectBoxProperties *> slides;
    for (int i = 0; i < files.size(); ++i) {
        RectBoxProperties &box = boxes[size_t(i)];
        box.SetBoxType(TBoxType::btImage);
        box.SetLeft(10 + 143 * i);
        box.SetTop(10);
        box.SetWidth(133);
        box.SetHeight(100);
        box.SetAbLeft(kSeconds);
        box.SetAbTop(1); // Dissolve
        box.SetFileName(files[i]);
        box.SetCaption(QStringLiteral("Slide %1").arg(i + 1));
        slides.push_back(&box);
    }
    SaveProject(path, slides, QString());
    return path;
}

// Each photo is a still of 4 s plus the second it dissolves into the next,
// so that the dissolves fall where the show's do.
QStringList FfmpegArguments(const QStringList &files, const QString &out)
{
    QStringList args{"-nostdin", "-loglevel", "error", "-y"};
    for (int i = 0; i < files.size(); ++i) {
        const int seconds = i + 1 < files.size() ? kSeconds + 1 : kSeconds;
        args << "-loop" << "1" << "-framerate" << "30" << "-t" << QString::number(seconds) << "-i" << files[i];
    }
    QString graph;
    for (int i = 0; i < files.size(); ++i)
        graph += QStringLiteral("[%1:v]scale=1920:1080:force_original_aspect_ratio=decrease,"
                                "pad=1920:1080:(ow-iw)/2:(oh-ih)/2,setsar=1,fps=30,format=yuv420p[s%1];")
                     .arg(i);
    QString last = QStringLiteral("s0");
    for (int i = 1; i < files.size(); ++i) {
        const QString next = QStringLiteral("x%1").arg(i);
        graph += QStringLiteral("[%1][s%2]xfade=transition=fade:duration=1:offset=%3[%4];")
                     .arg(last)
                     .arg(i)
                     .arg(kSeconds * i)
                     .arg(next);
        last = next;
    }
    graph.chop(1);
    args << "-filter_complex" << graph << "-map" << "[" + last + "]" << "-c:v" << "libx264" << "-preset"
         << "veryfast" << "-crf" << "20" << "-movflags" << "+faststart" << out;
    return args;
}

} // namespace

VISTRANO_BENCH(video_export)
{
    if (context.photos.isEmpty()) {
        std::printf("no photos in %s\n", context.photoDir.toUtf8().constData());
        return;
    }
    QStringList files;
    for (int i = 0; i < kSlides; ++i)
        files << context.photos[i % context.photos.size()];
    const QDir work(context.workDir);
    const QString project = WriteProject(work.filePath("video.vsw"), files);
    const double length = kSlides * kSeconds;

    const QStringList environment = QProcessEnvironment::systemEnvironment().toStringList();
    const Timing ours = RunMeasured(QDir(context.binDir).filePath("vistrano-cli"),
                                    {"video", project, work.filePath("ours.mp4"), "--size", "1920x1080", "--fps", "30"},
                                    environment);
    if (ours.wall < 0) {
        std::printf("vistrano-cli video failed\n");
        return;
    }
    PrintFigure("video: seconds of video per second of export (1080p30)", length / ours.wall, "x",
                "goal: at least 4");
    PrintFigure("video: export wall time", ours.wall, "s");
    PrintFigure("video: export processor time", ours.cpu, "s");
    PrintFigure("video: peak memory", ours.peakMegabytes, "MB", "goal: at most 300");
    PrintFigure("video: file size", double(QFileInfo(work.filePath("ours.mp4")).size()) / 1e6, "MB");

    const Timing ffmpeg = RunMeasured("ffmpeg", FfmpegArguments(files, work.filePath("ffmpeg.mp4")), environment);
    if (ffmpeg.wall < 0) {
        std::printf("the ffmpeg program did not run (the ffmpeg package)\n");
        return;
    }
    PrintFigure("ffmpeg filter graph: wall time", ffmpeg.wall, "s");
    PrintFigure("ffmpeg filter graph: processor time", ffmpeg.cpu, "s");
    PrintFigure("ffmpeg filter graph: peak memory", ffmpeg.peakMegabytes, "MB");
    PrintFigure("ffmpeg filter graph: file size", double(QFileInfo(work.filePath("ffmpeg.mp4")).size()) / 1e6, "MB");
    PrintFigure("video / ffmpeg in wall time", ours.wall / ffmpeg.wall, "x", "goal: at most 0.2");
    PrintFigure("video / ffmpeg in processor time", ours.cpu / ffmpeg.cpu, "x", "steadier on a busy machine");
}
