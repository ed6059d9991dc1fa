#include "imaging/JPEG_IO.h"
#include "imaging/PictureLoading.h"
#include "tests/bench/Bench.h"

#include <QImage>

#include <cstdio>

namespace {

constexpr int kRepeats = 9;

void ComparePair(const QString &name, double ours, double djpeg)
{
    PrintFigure(name + QStringLiteral(": ours"), ours, "ms");
    PrintFigure(name + QStringLiteral(": djpeg (a process, to /dev/null)"), djpeg, "ms");
    if (djpeg > 0)
        PrintFigure(name + QStringLiteral(": ours / djpeg"), ours / djpeg, "x");
}

} // namespace

// The whole and the one-eighth decode of the first photos beside djpeg of the
// same files. djpeg's figures include starting a process (about a
// millisecond), which is why "true" is timed too.
VISTRANO_BENCH(JPEGDecode)
{
    if (context.photos.isEmpty()) {
        std::printf("no photos\n");
        return;
    }
    PrintFigure(QStringLiteral("process start (true)"),
                MedianCommandMilliseconds(kRepeats, QStringLiteral("true"), {}), "ms");
    for (const QString &photo : context.photos.mid(0, 3)) {
        QImage probe;
        LoadJPEGFile(probe, photo, JPEGReadScale::Whole);
        const QString label = photo.section(QLatin1Char('/'), -1) + QStringLiteral(" %1x%2").arg(probe.width()).arg(probe.height());
        const QStringList toNull = {QStringLiteral("-outfile"), QStringLiteral("/dev/null")};

        const double whole = MedianMilliseconds(kRepeats, [&] {
            QImage target;
            LoadJPEGFile(target, photo, JPEGReadScale::Whole);
        });
        ComparePair(label + QStringLiteral(" whole"), whole,
                    MedianCommandMilliseconds(kRepeats, QStringLiteral("djpeg"), toNull + QStringList{photo}));
        PrintFigure(label + QStringLiteral(" whole: djpeg -dct fast"),
                    MedianCommandMilliseconds(kRepeats, QStringLiteral("djpeg"),
                                              toNull + QStringList{QStringLiteral("-dct"), QStringLiteral("fast"), photo}),
                    "ms");

        const double eighth = MedianMilliseconds(kRepeats, [&] {
            QImage target;
            LoadJPEGFile(target, photo, JPEGReadScale::Eighth);
        });
        ComparePair(label + QStringLiteral(" 1/8"), eighth,
                    MedianCommandMilliseconds(kRepeats, QStringLiteral("djpeg"),
                                              toNull + QStringList{QStringLiteral("-scale"), QStringLiteral("1/8"), photo}));
        PrintFigure(label + QStringLiteral(" 1/8 through LoadPictureFile"), MedianMilliseconds(kRepeats, [&] {
                        LoadPictureFile(photo, JPEGReadScale::Eighth);
                    }),
                    "ms");
    }
}
