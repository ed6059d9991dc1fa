// The resampler against the yardstick of a whole JPEG decode by djpeg: the
// slideshow build's Lanczos3 resample of a 4000 by 3000 photo to 1024 by
// 768, and the slide strip's Box resample of a one-eighth decode (500 by
// 375) to its 200 by 150 thumbnail; each on one thread and on as many as pay
// off, and with each instruction path. The pictures come from the
// program's own loader.

#include "imaging/PictureLoading.h"
#include "imaging/ResamplingOptions.h"
#include "tests/bench/Bench.h"

#include <QImageReader>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int kRepeats = 15;

// The first landscape photo; empty when there is none.
QString LandscapePhoto(const BenchContext &context)
{
    for (const QString &photo : context.photos)
        if (QImageReader(photo).size() == QSize(4000, 3000))
            return photo;
    return {};
}

// On this shared machine wall times swing with the other work; the CPU
// time of the work itself is steadier, so both are printed.
double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Median CPU time (user and system) of the work on the calling thread.
double MedianCpuMilliseconds(int repeats, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const double start = ThreadCpuMilliseconds();
        work();
        times.push_back(ThreadCpuMilliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Mean CPU time of a command over the runs, process start included.
double CommandCpuMilliseconds(int repeats, const QString &program, const QStringList &args)
{
    auto children = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3
            + (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
    };
    const double start = children();
    for (int i = 0; i < repeats; ++i) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program, args);
        if (!process.waitForStarted() || !process.waitForFinished(-1) || process.exitCode() != 0)
            return -1;
    }
    return (children() - start) / repeats;
}

const char *PathName(PixelPath path)
{
    switch (path) {
    case PixelPath::Scalar: return "scalar";
    case PixelPath::SSSE3: return "ssse3";
    case PixelPath::AVX2: return "avx2";
    }
    return "?";
}

void TimeStretch(const QString &label, const QImage &source, QSize size, ResamplingFilter filter)
{
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    for (PixelPath path : {PixelPath::AVX2, PixelPath::SSSE3, PixelPath::Scalar}) {
        if (!PixelPathAvailable(path))
            continue;
        for (int threads : {1, 0}) {
            if (threads == 0 && cores == 1)
                continue;
            const double ms = MedianMilliseconds(kRepeats, [&] {
                QImage picture = source;
                StretchBitmapWith(size.width(), size.height(), filter, 0.0f, picture, {threads, path});
            });
            if (threads == 1) {
                const double cpu = MedianCpuMilliseconds(kRepeats, [&] {
                    QImage picture = source;
                    StretchBitmapWith(size.width(), size.height(), filter, 0.0f, picture, {1, path});
                });
                PrintFigure(QStringLiteral("%1, %2, 1 thread, CPU time").arg(label, PathName(path)), cpu, "ms");
            }
            PrintFigure(QStringLiteral("%1, %2, %3").arg(label, PathName(path),
                                                          threads == 1 ? QStringLiteral("1 thread")
                                                                       : QStringLiteral("auto, %1 cores").arg(cores)),
                        ms, "ms");
        }
    }
}

// Times the resample of the first landscape photo, loaded as the program
// loads it at the given scale, beside djpeg's whole decode of the same file.
void BenchPhoto(const BenchContext &context, JPEGReadScale scale, QSize size, ResamplingFilter filter,
                const QString &label)
{
    const QString photo = LandscapePhoto(context);
    if (photo.isEmpty()) {
        std::printf("no 4000 by 3000 photo\n");
        return;
    }
    const double djpeg = MedianCommandMilliseconds(
        kRepeats, QStringLiteral("djpeg"), {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), photo});
    PrintFigure(QStringLiteral("djpeg whole decode of the photo (yardstick)"), djpeg, "ms");
    const QStringList djpegArgs{QStringLiteral("-outfile"), QStringLiteral("/dev/null"), photo};
    PrintFigure(QStringLiteral("djpeg whole decode of the photo, CPU time"),
                CommandCpuMilliseconds(kRepeats, QStringLiteral("djpeg"), djpegArgs), "ms");
    TimeStretch(label, LoadPictureFile(photo, scale), size, filter);
}

} // namespace

VISTRANO_BENCH(ResampleLanczos3Photo)
{
    BenchPhoto(context, JPEGReadScale::Whole, QSize(1024, 768), ResamplingFilter::Lanczos3, QStringLiteral("Lanczos3 4000x3000 -> 1024x768"));
}

VISTRANO_BENCH(ResampleBoxThumbnail)
{
    BenchPhoto(context, JPEGReadScale::Eighth, QSize(200, 150), ResamplingFilter::Box, QStringLiteral("Box 500x375 -> 200x150"));
}
