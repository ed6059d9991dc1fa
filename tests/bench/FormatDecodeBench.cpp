// Decoding a 4000 x 3000 photo stored as GIF (quantised to 256 colours),
// PNG, Targa, PCX, SGI and binary PPM with our decoders, beside independent
// decoders of the same files on one thread in the same run: libpng and
// giflib in this process when they are installed, Python's imaging library
// timed inside its own process, and netpbm's converters timed as commands
// less their start-up on a 1 by 1 picture of the same format.
#include "tests/bench/Bench.h"
#include "tests/support/RequiredTools.h"

#include "imaging/PictureLoading.h"
#include "imaging/decoders/GIFGraphic.h"
#include "imaging/decoders/PCXGraphic.h"
#include "imaging/decoders/PNGGraphic.h"
#include "imaging/decoders/PPMGraphic.h"
#include "imaging/decoders/SGIGraphic.h"
#include "imaging/decoders/TargaGraphic.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#if VISTRANO_BENCH_LIBPNG
#include <png.h>
#endif
#if VISTRANO_BENCH_GIFLIB
#include <gif_lib.h>
#endif

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kRepeats = 5;

QString Convert()
{
    return QFileInfo(QStringLiteral("/usr/bin/convert")).isExecutable() ? QStringLiteral("/usr/bin/convert")
                                                                         : QStringLiteral("convert");
}

bool Tool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <class Graphic>
double OursMilliseconds(const QByteArray &bytes, bool to24Bits)
{
    return MedianMilliseconds(kRepeats, [&] {
        Graphic graphic;
        graphic.LoadFromBytes(bytes);
        if (to24Bits)
            (void)MakeBitmap24(graphic.Bitmap());
    });
}

// Python's imaging library: open and load the file, median of the repeats,
// timed inside Python so that its start-up does not count.
double PILMilliseconds(const QString &path)
{
    static const QString python = PillowPython();
    if (python.isEmpty())
        return -1;
    QProcess process;
    process.start(python,
                  {QStringLiteral("-c"),
                   QStringLiteral("import sys, time\nfrom PIL import Image\nt = []\nfor i in range(%1):\n"
                                  "    s = time.perf_counter(); im = Image.open(sys.argv[1]); im.load(); "
                                  "t.append(time.perf_counter() - s)\nprint(sorted(t)[len(t) // 2] * 1000)")
                       .arg(kRepeats),
                   path});
    if (process.waitForFinished(-1) && process.exitCode() == 0)
        return process.readAllStandardOutput().trimmed().toDouble();
    return -1;
}

// A netpbm converter on the file, less the same converter on a 1 by 1 file.
double NetpbmMilliseconds(const QString &program, const QString &path, const QString &tinyPath)
{
    const double whole = MedianCommandMilliseconds(kRepeats, program, {path});
    const double startup = MedianCommandMilliseconds(kRepeats, program, {tinyPath});
    return whole < 0 || startup < 0 ? -1 : whole - startup;
}

#if VISTRANO_BENCH_LIBPNG
// libpng's own reader, expanding to 8-bit RGB(A) rows as a viewer would.
double LibpngMilliseconds(const QString &path)
{
    return MedianMilliseconds(kRepeats, [&] {
        FILE *file = std::fopen(path.toLocal8Bit().constData(), "rb");
        if (!file)
            return;
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            png_destroy_read_struct(&png, &info, nullptr);
            std::fclose(file);
            return;
        }
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        const size_t rowBytes = png_get_rowbytes(png, info);
        std::vector<png_byte> pixels(rowBytes * height);
        std::vector<png_bytep> rows(height);
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = pixels.data() + y * rowBytes;
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
    });
}
#endif

#if VISTRANO_BENCH_GIFLIB
double GiflibMilliseconds(const QString &path)
{
    return MedianMilliseconds(kRepeats, [&] {
        int error = 0;
        GifFileType *gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
        if (!gif)
            return;
        DGifSlurp(gif);
        DGifCloseFile(gif, &error);
    });
}
#endif

struct Reference
{
    QString name;
    double ms;
};

void Report(const QString &name, double ours, double ours24, const std::vector<Reference> &references)
{
    QString comment = QStringLiteral("to 24 bits %1 ms").arg(ours24, 0, 'f', 1);
    double best = -1;
    for (const Reference &r : references) {
        if (r.ms <= 0)
            continue;
        comment += QStringLiteral("; %1 %2 ms").arg(r.name).arg(r.ms, 0, 'f', 1);
        best = best < 0 ? r.ms : std::min(best, r.ms);
    }
    if (best > 0)
        comment += QStringLiteral("; ratio to the fastest %1").arg(ours / best, 0, 'f', 2);
    PrintFigure(name, ours, "ms", comment);
}

// The first photo converted once with ImageMagick (arguments between the
// source and the target); empty when that fails.
QString MakeFile(const BenchContext &context, const QString &name, const QStringList &options)
{
    const QString path = context.workDir + QLatin1Char('/') + name;
    if (QFileInfo::exists(path) || Tool(Convert(), QStringList{context.photos.first()} + options + QStringList{path}))
        return path;
    PrintFigure(name, -1, "ms", QStringLiteral("ImageMagick could not write it"));
    return {};
}

QString MakeTiny(const BenchContext &context, const QString &name, const QStringList &options)
{
    const QString path = context.workDir + QStringLiteral("/tiny-") + name;
    Tool(Convert(), QStringList{QStringLiteral("-size"), QStringLiteral("1x1"), QStringLiteral("xc:gray")} + options + QStringList{path});
    return path;
}

// Ours beside PIL and a second independent decoder of the same file.
template <class Graphic>
void RunFormat(const BenchContext &context, const QString &name, const QStringList &options,
               const std::function<Reference(const QString &path)> &second)
{
    const QString path = MakeFile(context, name, options);
    if (path.isEmpty())
        return;
    const QByteArray bytes = ReadAll(path);
    const double ours = OursMilliseconds<Graphic>(bytes, false);
    const double ours24 = OursMilliseconds<Graphic>(bytes, true);
    Report(QStringLiteral("decode_4000x3000_") + name, ours, ours24, {{QStringLiteral("PIL"), PILMilliseconds(path)}, second(path)});
}

template <class Graphic>
void RunNetpbmFormat(const BenchContext &context, const QString &name, const QStringList &options, const QString &converter)
{
    RunFormat<Graphic>(context, name, options, [&](const QString &path) {
        return Reference{converter, NetpbmMilliseconds(converter, path, MakeTiny(context, name, options))};
    });
}

} // namespace

VISTRANO_BENCH(gif_decode)
{
    if (context.photos.isEmpty())
        return;
    for (const char *interlace : {"None", "GIF"}) {
        const QStringList options{QStringLiteral("-colors"), QStringLiteral("256"), QStringLiteral("-interlace"), QLatin1String(interlace)};
        const QString name = QStringLiteral("photo-%1.gif").arg(QLatin1String(interlace));
#if VISTRANO_BENCH_GIFLIB
        RunFormat<TGIFGraphic>(context, name, options,
                               [](const QString &path) { return Reference{QStringLiteral("giflib"), GiflibMilliseconds(path)}; });
#else
        RunNetpbmFormat<TGIFGraphic>(context, name, options, QStringLiteral("giftopnm"));
#endif
    }
}

VISTRANO_BENCH(png_decode)
{
    if (context.photos.isEmpty())
        return;
    struct Variant
    {
        const char *name;
        QStringList options;
    };
    const Variant variants[] = {
        {"photo-rgb.png", {}},
        {"photo-rgba.png", {QStringLiteral("-alpha"), QStringLiteral("set"), QStringLiteral("-channel"), QStringLiteral("A"),
                            QStringLiteral("-evaluate"), QStringLiteral("set"), QStringLiteral("80%"), QStringLiteral("+channel")}},
        {"photo-interlaced.png", {QStringLiteral("-interlace"), QStringLiteral("PNG")}},
    };
    for (const Variant &v : variants) {
#if VISTRANO_BENCH_LIBPNG
        RunFormat<TPNGGraphic>(context, QLatin1String(v.name), v.options,
                               [](const QString &path) { return Reference{QStringLiteral("libpng"), LibpngMilliseconds(path)}; });
#else
        RunNetpbmFormat<TPNGGraphic>(context, QLatin1String(v.name), v.options, QStringLiteral("pngtopam"));
#endif
    }
}

VISTRANO_BENCH(tga_decode)
{
    if (context.photos.isEmpty())
        return;
    RunNetpbmFormat<TTargaGraphic>(context, QStringLiteral("photo-raw.tga"), {}, QStringLiteral("tgatoppm"));
    RunNetpbmFormat<TTargaGraphic>(context, QStringLiteral("photo-rle.tga"), {QStringLiteral("-compress"), QStringLiteral("RLE")},
                                   QStringLiteral("tgatoppm"));
}

VISTRANO_BENCH(pcx_decode)
{
    if (context.photos.isEmpty())
        return;
    RunNetpbmFormat<TPCXGraphic>(context, QStringLiteral("photo.pcx"), {}, QStringLiteral("pcxtoppm"));
}

VISTRANO_BENCH(sgi_decode)
{
    if (context.photos.isEmpty())
        return;
    RunNetpbmFormat<TSGIGraphic>(context, QStringLiteral("photo.sgi"), {QStringLiteral("-depth"), QStringLiteral("8")},
                                 QStringLiteral("sgitopnm"));
}

VISTRANO_BENCH(ppm_decode)
{
    if (context.photos.isEmpty())
        return;
    RunNetpbmFormat<TPPMGraphic>(context, QStringLiteral("photo.ppm"), {}, QStringLiteral("pnmtopnm"));
}
