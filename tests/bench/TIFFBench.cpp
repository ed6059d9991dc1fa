// Decoding a 4000 x 3000 photo stored as TIFF (uncompressed, LZW with the
// horizontal predictor, Deflate) with our decoder, beside libtiff's own
// RGBA reader on the same file in the same process, one thread each.
#include "tests/bench/Bench.h"

#include "imaging/decoders/TIFFGraphic.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#if VISTRANO_BENCH_LIBTIFF
#include <tiffio.h>
#endif

#include <vector>

namespace {

bool Tool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

double OursMilliseconds(const QByteArray &bytes, bool to24Bits)
{
    return MedianMilliseconds(5, [&] {
        TTIFFGraphic graphic;
        graphic.LoadFromBytes(bytes);
        if (to24Bits)
            (void)graphic.Bitmap().convertToFormat(QImage::Format_BGR888);
    });
}

double LibTIFFMilliseconds(const QString &path)
{
#if VISTRANO_BENCH_LIBTIFF
    TIFFSetWarningHandler(nullptr);
    return MedianMilliseconds(5, [&] {
        TIFF *tiff = TIFFOpen(path.toLocal8Bit().constData(), "r");
        if (!tiff)
            return;
        uint32_t width = 0, height = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        std::vector<uint32_t> raster(size_t(width) * height);
        TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0);
        TIFFClose(tiff);
    });
#else
    return MedianCommandMilliseconds(5, QStringLiteral("tiff2rgba"), {QStringLiteral("-c"), QStringLiteral("none"), path,
                                                                        QStringLiteral("/dev/null")});
#endif
}

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
        const double ours = OursMilliseconds(bytes, false);
        const double ours24 = OursMilliseconds(bytes, true);
        const double reference = LibTIFFMilliseconds(path);
        const QString name = QStringLiteral("tiff_decode_4000x3000_%1").arg(QLatin1String(variant.name));
        PrintFigure(name, ours, "ms", QStringLiteral("to 24 bits %1 ms; libtiff RGBA %2 ms; ratio %3")
                                          .arg(ours24, 0, 'f', 1)
                                          .arg(reference, 0, 'f', 1)
                                          .arg(ours24 / reference, 0, 'f', 2));
    }
}
