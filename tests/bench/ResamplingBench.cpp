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

#include <thread>

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
            PrintFigure(QStringLiteral("%1, %2, %3").arg(label, PathName(path),
                                                          threads == 1 ? QStringLiteral("1 thread")
                                                                       : QStringLiteral("%1 threads").arg(cores)),
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
