// The slideshow build against an independent resizer: `vistrano-cli build`
// of 50 slides from the 4000 by 3000 photos at 1024x768, and vipsthumbnail on
// one thread making 1024x768 JPEGs (quality 90, 4:2:0) of the same 50 files.
// Also the bytes the build writes to disk against the size of the show.

#include "project/ProjectFile.h"
#include "tests/bench/Bench.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>

namespace {

constexpr int kSlides = 50;

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

// Processor seconds (user and system) of the children waited for so far.
double ChildrenCpuSeconds()
{
    rusage usage = {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing
{
    double wall = -1;
    double cpu = -1;
};

// Wall and processor time of a program run to its end; -1 when it fails.
Timing RunTimed(const QString &program, const QStringList &args, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const double cpuBefore = ChildrenCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForStarted() || !process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return {};
    return {double(timer.nsecsElapsed()) / 1e9, ChildrenCpuSeconds() - cpuBefore};
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

    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const qint64 wcharBefore = OwnIoCount("wchar");
    const qint64 writeBytesBefore = OwnIoCount("write_bytes");
    const Timing build = RunTimed(QDir(context.binDir).filePath("vistrano-cli"),
                                  {"build", project, show, "--size", "1024x768", "--template",
                                   QDir(context.binDir).filePath("kv.dll")},
                                  environment);
    const qint64 written = OwnIoCount("wchar") - wcharBefore;
    const qint64 storage = OwnIoCount("write_bytes") - writeBytesBefore;
    const qint64 size = QFileInfo(show).size();

    QProcessEnvironment oneThread = environment;
    oneThread.insert("VIPS_CONCURRENCY", "1");
    const QString vipsOut = QDir(context.workDir).filePath("vips");
    QDir().mkpath(vipsOut);
    QStringList vipsArgs = files;
    vipsArgs << "-s" << "1024x768" << "-o" << vipsOut + "/%s.jpg[Q=90,subsample-mode=on]";
    const Timing vips = RunTimed("vipsthumbnail", vipsArgs, oneThread);

    if (build.wall < 0) {
        std::printf("vistrano-cli build failed\n");
        return;
    }
    PrintFigure("build: seconds per slide (50 slides, 1024x768)", build.wall / kSlides, "s");
    PrintFigure("build: processor seconds per slide", build.cpu / kSlides, "s");
    if (vips.wall > 0) {
        PrintFigure("vipsthumbnail, one thread: seconds per photo", vips.wall / kSlides, "s");
        PrintFigure("vipsthumbnail: processor seconds per photo", vips.cpu / kSlides, "s");
        PrintFigure("build / vips per slide", build.wall / vips.wall, "x", "goal: at most 0.8");
        PrintFigure("build / vips in processor time", build.cpu / vips.cpu, "x", "steadier on a busy machine");
    } else {
        std::printf("vipsthumbnail did not run (libvips-tools)\n");
    }
    PrintFigure("show file size", double(size) / 1e6, "MB");
    PrintFigure("bytes written by the build (write calls)", double(written) / 1e6, "MB");
    PrintFigure("written / show size", double(written) / double(size), "x", "goal: at most 1.1");
    if (storage > 0)
        PrintFigure("bytes the build sent to storage", double(storage) / 1e6, "MB");
}
