// Decoding a 4000 x 3000 photo stored as Photoshop RGB (raw and PackBits)
// with our decoder beside ImageMagick and Pillow on the same file, one
// thread each. The files hold only the merged image (no layers), so that
// every reader decodes the same pixels; the external readers' start-up is
// measured on an 8 x 8 file of the same kind and taken off.
#include "tests/bench/Bench.h"
#include "tests/bench/ExternalDecoders.h"

#include "imaging/decoders/PSDGraphic.h"

#include <QFile>
#include <QImage>

namespace {

void Put(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i)));
}

QByteArray PackBits(const uchar *row, int size)
{
    QByteArray out;
    int i = 0;
    while (i < size) {
        int run = 1;
        while (i + run < size && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            out.append(char(1 - run)).append(char(row[i]));
            i += run;
            continue;
        }
        int literal = 0;
        while (i + literal < size && literal < 128
               && !(i + literal + 2 < size && row[i + literal] == row[i + literal + 1] && row[i + literal] == row[i + literal + 2]))
            ++literal;
        out.append(char(literal - 1)).append(reinterpret_cast<const char *>(row + i), literal);
        i += literal;
    }
    return out;
}

// An RGB PSD of the picture with empty resource and layer sections.
QByteArray EncodePSD(const QImage &rgb, bool rle)
{
    QByteArray out("8BPS");
    Put(out, 1, 2);
    out.append(6, '\0');
    Put(out, 3, 2);
    Put(out, uint32_t(rgb.height()), 4);
    Put(out, uint32_t(rgb.width()), 4);
    Put(out, 8, 2);
    Put(out, 3, 2);
    Put(out, 0, 4);
    Put(out, 0, 4);
    Put(out, 0, 4);
    Put(out, rle ? 1 : 0, 2);
    std::vector<uchar> plane(size_t(rgb.width()));
    QByteArray table, rows;
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < rgb.height(); ++y) {
            const uchar *in = rgb.constScanLine(y);
            for (int x = 0; x < rgb.width(); ++x)
                plane[size_t(x)] = in[3 * x + c];
            if (rle) {
                const QByteArray packed = PackBits(plane.data(), rgb.width());
                Put(table, uint32_t(packed.size()), 2);
                rows += packed;
            } else {
                rows.append(reinterpret_cast<const char *>(plane.data()), rgb.width());
            }
        }
    }
    return out + table + rows;
}

} // namespace

VISTRANO_BENCH(psd_decode)
{
    if (context.photos.isEmpty())
        return;
    const QImage photo = QImage(context.photos.first()).convertToFormat(QImage::Format_RGB888);
    const QImage tiny = photo.scaled(8, 8);
    for (bool rle : {false, true}) {
        const QString kind = rle ? QStringLiteral("rle") : QStringLiteral("raw");
        const QByteArray bytes = EncodePSD(photo, rle);
        const QString path = context.workDir + QStringLiteral("/photo_%1.psd").arg(kind);
        const QString tinyPath = context.workDir + QStringLiteral("/tiny_%1.psd").arg(kind);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        QFile small(tinyPath);
        small.open(QIODevice::WriteOnly);
        small.write(EncodePSD(tiny, rle));
        small.close();

        const double ours = MedianMilliseconds(5, [&] {
            TPSDGraphic graphic;
            graphic.LoadFromBytes(bytes);
            (void)graphic.Bitmap().convertToFormat(QImage::Format_BGR888);
        });
        const double magick = ExternalDecodeMilliseconds(ExternalDecoder::Magick, path, tinyPath);
        const double pillow = ExternalDecodeMilliseconds(ExternalDecoder::Pillow, path, tinyPath);
        PrintFigure(QStringLiteral("psd_decode_4000x3000_rgb8_%1").arg(kind), ours, "ms",
                    ComparisonText(ours, magick, pillow));
    }
}
