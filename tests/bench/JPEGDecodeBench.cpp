#include "imaging/JPEG_IO.h"
#include "imaging/PictureLoading.h"
#include "tests/bench/Bench.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepeats = 11;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times our decode and djpeg's alternately, so that both see the same load
// on a shared machine, and prints both medians and their ratio.
void CompareWithDjpeg(const QString &name, const QString &photo, JPEGReadScale scale, const QStringList &djpegArgs)
{
    std::vector<double> ours, djpeg;
    for (int i = 0; i < kRepeats; ++i) {
        ours.push_back(MedianMilliseconds(1, [&] {
            QImage target;
            LoadJPEGFile(target, photo, scale);
        }));
        djpeg.push_back(MedianCommandMilliseconds(1, QStringLiteral("djpeg"), djpegArgs + QStringList{photo}));
    }
    const double oursMs = Median(ours), djpegMs = Median(djpeg);
    PrintFigure(name + QStringLiteral(": ours"), oursMs, "ms");
    PrintFigure(name + QStringLiteral(": djpeg (a process, to /dev/null)"), djpegMs, "ms");
    if (djpegMs > 0)
        PrintFigure(name + QStringLiteral(": ours / djpeg"), oursMs / djpegMs, "x");
}

} // namespace

// The whole and the one-eighth decode of the first photos beside djpeg of the
// same files. djpeg's figures include starting a process, which is why
// "true" is timed too; djpeg writes its rows to /dev/null while ours are
// stored in the picture.
VISTRANO_BENCH(JPEGDecode)
{
    if (context.photos.isEmpty()) {
        std::printf("no photos\n");
        return;
    }
    PrintFigure(QStringLiteral("process start (true)"),
                MedianCommandMilliseconds(kRepeats, QStringLiteral("true"), {}), "ms");
    const QStringList toNull = {QStringLiteral("-outfile"), QStringLiteral("/dev/null")};
    for (const QString &photo : context.photos.mid(0, 3)) {
        QImage probe;
        LoadJPEGFile(probe, photo, JPEGReadScale::Whole);
        const QString label =
            photo.section(QLatin1Char('/'), -1) + QStringLiteral(" %1x%2").arg(probe.width()).arg(probe.height());
        CompareWithDjpeg(label + QStringLiteral(" whole"), photo, JPEGReadScale::Whole, toNull);
        CompareWithDjpeg(label + QStringLiteral(" 1/8"), photo, JPEGReadScale::Eighth,
                         toNull + QStringList{QStringLiteral("-scale"), QStringLiteral("1/8")});
        PrintFigure(label + QStringLiteral(" whole: djpeg -dct fast"),
                    MedianCommandMilliseconds(kRepeats, QStringLiteral("djpeg"),
                                              toNull + QStringList{QStringLiteral("-dct"), QStringLiteral("fast"), photo}),
                    "ms");
        PrintFigure(label + QStringLiteral(" 1/8 through LoadPictureFile"),
                    MedianMilliseconds(kRepeats, [&] { LoadPictureFile(photo, JPEGReadScale::Eighth); }), "ms");
    }
}
