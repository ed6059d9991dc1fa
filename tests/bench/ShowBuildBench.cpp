// The slideshow build against an independent resizer in the same run:
// `vistrano-cli build` of 20 slides from the 4000 by 3000 photos at
// 1024x768 on every core, and vipsthumbnail on one thread making 1024x768
// JPEGs (quality 90, 4:2:0) of the same 20 files in one process: wall time,
// processor time and peak memory of each. Also the build on one worker, and
// the bytes the build writes to disk against the size of the show.

#include "project/ProjectFile.h"
#include "tests/bench/Bench.h"
#include "tests/bench/MeasuredRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kSlides = 20;

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A field of /proc/self/io; the kernel adds a child's counts to its parent's
// when the parent has waited for it.
qint64 OwnIoCount(const char *field)
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith(QByteArray(field) + ':'))
            return line.mid(qsizetype(std::strlen(field)) + 1).trimmed().toLongLong();
    }
    return -1;
}

void PrintGoal(const QString &name, double ours, double theirs, double goal)
{
    if (ours < 0 || theirs <= 0)
        return;
    const double ratio = ours / theirs;
    PrintFigure(name, ratio, "x",
                QStringLiteral("goal: at most %1 (%2)").arg(goal).arg(ratio <= goal ? "met" : "NOT met"));
}

} // namespace

VISTRANO_BENCH(slideshow_build)
{
    if (context.photos.isEmpty()) {
        std::printf("no photos in %s\n", context.photoDir.toUtf8().constData());
        return;
    }
    QStringList files;
    for (int i = 0; i < kSlides; ++i)
        files << context.photos[i % context.photos.size()];

    std::vector<RectBoxProperties> boxes(kSlides);
    std::vector<const RectBoxProperties *> slides;
    for (int i = 0; i < kSlides; ++i) {
        RectBoxProperties &box = boxes[size_t(i)];
        box.SetBoxType(TBoxType::btImage);
        box.SetLeft(10 + 143 * i);
        box.SetTop(10);
        box.SetWidth(133);
        box.SetHeight(100);
        box.SetAbLeft(4);
        box.SetAbTop(i % 6);
        box.SetFileName(files[i]);
        box.SetCaption(QStringLiteral("Slide %1").arg(i + 1));
        slides.push_back(&box);
    }
    const QString project = QDir(context.workDir).filePath("bench.vsw");
    SaveProject(project, slides, QString());
    const QString show = QDir(context.workDir).filePath("bench.exe");

    const QStringList environment = QProcessEnvironment::systemEnvironment().toStringList();
    const QString cli = QDir(context.binDir).filePath("vistrano-cli");
    const QStringList buildArgs = {"build", project, show, "--size", "1024x768", "--template",
                                   QDir(context.binDir).filePath("kv.dll")};
    const qint64 wcharBefore = OwnIoCount("wchar");
    const qint64 writeBytesBefore = OwnIoCount("write_bytes");
    const Timing build = RunMeasured(cli, buildArgs, environment);
    const qint64 written = OwnIoCount("wchar") - wcharBefore;
    const qint64 storage = OwnIoCount("write_bytes") - writeBytesBefore;
    const qint64 size = QFileInfo(show).size();

    QStringList oneThread = environment;
    oneThread << "VIPS_CONCURRENCY=1";
    const QString vipsOut = QDir(context.workDir).filePath("vips");
    QDir().mkpath(vipsOut);
    QStringList vipsArgs = files;
    vipsArgs << "-s" << "1024x768" << "-o" << vipsOut + "/%s.jpg[Q=90,subsample-mode=on]";
    const Timing vips = RunMeasured("vipsthumbnail", vipsArgs, oneThread);

    // The build on one worker, for the gain of the second core.
    const QString showOne = QDir(context.workDir).filePath("bench-one.exe");
    QStringList oneWorker = buildArgs;
    oneWorker.replace(2, showOne);
    oneWorker << "--threads" << "1";
    const Timing sequential = RunMeasured(cli, oneWorker, environment);

    if (build.wall < 0) {
        std::printf("vistrano-cli build failed\n");
        return;
    }
    PrintFigure(QStringLiteral("build: wall seconds (%1 slides, 1024x768)").arg(kSlides), build.wall, "s");
    PrintFigure("build: processor seconds", build.cpu, "s");
    PrintFigure("build: peak memory", build.peakMegabytes, "MB",
                QStringLiteral("goal: at most 100 MB with both workers (%1)")
                    .arg(build.peakMegabytes <= 100 ? "met" : "NOT met"));
    if (sequential.wall > 0) {
        PrintFigure("build on one worker: wall seconds", sequential.wall, "s");
        PrintFigure("build on one worker: peak memory", sequential.peakMegabytes, "MB");
        PrintFigure("same bytes on one worker and on all", ReadAll(show) == ReadAll(showOne) ? 1 : 0, "",
                    "1: identical");
    }
    if (vips.wall > 0) {
        PrintFigure("vipsthumbnail, one thread: wall seconds", vips.wall, "s");
        PrintFigure("vipsthumbnail: processor seconds", vips.cpu, "s");
        PrintFigure("vipsthumbnail: peak memory", vips.peakMegabytes, "MB");
        PrintGoal("build / vips, wall time", build.wall, vips.wall, 0.45);
        PrintGoal("build / vips, processor time", build.cpu, vips.cpu, 0.7);
    } else {
        std::printf("vipsthumbnail did not run (libvips-tools)\n");
    }
    PrintFigure("show file size", double(size) / 1e6, "MB");
    PrintFigure("bytes written by the build (write calls)", double(written) / 1e6, "MB");
    PrintFigure("written / show size", double(written) / double(size), "x", "goal: at most 1.1");
    if (storage > 0)
        PrintFigure("bytes the build sent to storage", double(storage) / 1e6, "MB");
}
