// Decoding a 4000 x 3000 photo stored as TIFF (uncompressed, LZW with the
// horizontal predictor, Deflate) with our decoder up to the 24-bit bitmap,
// beside libtiff's own RGBA reader on the same file in the same process, one
// thread each (tiff2rgba as a command when libtiff's headers are missing).
#include "tests/bench/Bench.h"

#include "imaging/decoders/TIFFGraphic.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#if VISTRANO_BENCH_LIBTIFF
#include <tiffio.h>
#endif

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Median processor time of the work in milliseconds: on a machine shared
// with other jobs the wall time swings widely, the time spent on our own
// thread much less.
double MedianCpuMilliseconds(int repeats, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        work();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        times.push_back(double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool Tool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void DecodeOurs(const QByteArray &bytes)
{
    TTIFFGraphic graphic;
    graphic.LoadFromBytes(bytes);
    (void)graphic.Bitmap().convertToFormat(QImage::Format_BGR888); // what picture loading does
}

#if VISTRANO_BENCH_LIBTIFF
void DecodeLibTIFF(const QString &path)
{
    TIFFSetWarningHandler(nullptr);
    {
        TIFF *tiff = TIFFOpen(path.toLocal8Bit().constData(), "r");
        if (!tiff)
            return;
        uint32_t width = 0, height = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        std::vector<uint32_t> raster(size_t(width) * height);
        TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0);
        TIFFClose(tiff);
    }
}

// Row by row, the raw samples only. libtiff hands a whole strip to
// libdeflate when it is built with it, but a strip read in pieces to zlib;
// this is the yardstick of a zlib decoder, as ours is.
void DecodeLibTIFFScanlines(const QString &path)
{
    TIFFSetWarningHandler(nullptr);
    TIFF *tiff = TIFFOpen(path.toLocal8Bit().constData(), "r");
    if (!tiff)
        return;
    uint32_t height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    std::vector<uint8_t> row(size_t(TIFFScanlineSize(tiff)));
    for (uint32_t y = 0; y < height; ++y)
        if (TIFFReadScanline(tiff, row.data(), y, 0) < 0)
            break;
    TIFFClose(tiff);
}
#endif

} // namespace

VISTRANO_BENCH(tiff_decode)
{
    if (context.photos.isEmpty())
        return;
    const QString ppm = context.workDir + QStringLiteral("/photo.ppm");
    const QString plain = context.workDir + QStringLiteral("/photo.tif");
    if (!QImage(context.photos.first()).convertToFormat(QImage::Format_RGB888).save(ppm, "PPM") ||
        !Tool(QStringLiteral("ppm2tiff"), {ppm, plain})) {
        PrintFigure(QStringLiteral("tiff_decode"), -1, "ms", QStringLiteral("ppm2tiff is not installed"));
        return;
    }
    struct Variant { const char *name; const char *compression; };
    const Variant variants[] = {{"none", "none"}, {"lzw_predictor", "lzw:2"}, {"deflate", "zip"}};
    for (const Variant &variant : variants) {
        const QString path = context.workDir + QStringLiteral("/photo_%1.tif").arg(QLatin1String(variant.name));
        if (!Tool(QStringLiteral("tiffcp"), {QStringLiteral("-c"), QLatin1String(variant.compression), plain, path}))
            continue;
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const QString name = QStringLiteral("tiff_decode_4000x3000_%1").arg(QLatin1String(variant.name));
        const double ours = MedianMilliseconds(5, [&] { DecodeOurs(bytes); });
        const double oursCpu = MedianCpuMilliseconds(5, [&] { DecodeOurs(bytes); });
#if VISTRANO_BENCH_LIBTIFF
        const double reference = MedianMilliseconds(5, [&] { DecodeLibTIFF(path); });
        const double referenceCpu = MedianCpuMilliseconds(5, [&] { DecodeLibTIFF(path); });
        QString zlib;
        if (QLatin1String(variant.compression) == QLatin1String("zip")) {
            const double scanlines = MedianMilliseconds(5, [&] { DecodeLibTIFFScanlines(path); });
            zlib = QStringLiteral("; libtiff row by row (zlib) %1 ms, ratio %2")
                       .arg(scanlines, 0, 'f', 1).arg(ours / scanlines, 0, 'f', 2);
        }
        PrintFigure(name, ours, "ms",
                    QStringLiteral("libtiff RGBA %1 ms, ratio %2; thread time %3 ms vs %4 ms, ratio %5%6")
                        .arg(reference, 0, 'f', 1).arg(ours / reference, 0, 'f', 2)
                        .arg(oursCpu, 0, 'f', 1).arg(referenceCpu, 0, 'f', 1).arg(oursCpu / referenceCpu, 0, 'f', 2)
                        .arg(zlib));
#else
        const double reference = MedianCommandMilliseconds(
            5, QStringLiteral("tiff2rgba"), {QStringLiteral("-c"), QStringLiteral("none"), path, QStringLiteral("/dev/null")});
        PrintFigure(name, ours, "ms", QStringLiteral("tiff2rgba command %1 ms (with start-up and writing); thread time %2 ms")
                                          .arg(reference, 0, 'f', 1).arg(oursCpu, 0, 'f', 1));
#endif
    }
}
