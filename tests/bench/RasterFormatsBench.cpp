// Decoding a 4000 x 3000 photo stored as RLA, Paint Shop Pro, Dr. Halo CUT
// and Autodesk Animator: no installed tool reads these (ImageMagick's RLA
// and CUT readers refuse or differ), so only our times are printed. The
// files are written here the simple way (literal packets, uncompressed or
// run-length planes), which is the slow case for the run-length formats.
#include "tests/bench/Bench.h"

#include "imaging/decoders/AutodeskGraphic.h"
#include "imaging/decoders/CUTGraphic.h"
#include "imaging/decoders/PSPGraphic.h"
#include "imaging/decoders/RLAGraphic.h"

#include <QImage>

namespace {

void PutLE(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
}
void PutBE(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i)));
}

// One channel of a row: the photo's sample c.
QByteArray Row(const QImage &rgb, int y, int c)
{
    QByteArray row(rgb.width(), '\0');
    const uchar *in = rgb.constScanLine(y);
    for (int x = 0; x < rgb.width(); ++x)
        row[x] = char(in[3 * x + c]);
    return row;
}

QByteArray EncodeRLA(const QImage &rgb)
{
    QByteArray out(740, '\0');
    QByteArray box;
    for (int v : {0, rgb.width() - 1, 0, rgb.height() - 1})
        PutBE(box, uint32_t(v), 2);
    out.replace(0, 8, box);
    out.replace(8, 8, box);
    QByteArray counts;
    PutBE(counts, 3, 2);
    out.replace(20, 2, counts);
    QByteArray bits;
    PutBE(bits, 8, 2);
    out.replace(658, 2, bits);
    const int tableAt = out.size();
    out.append(rgb.height() * 4, '\0');
    for (int line = 0; line < rgb.height(); ++line) {
        QByteArray offset;
        PutBE(offset, uint32_t(out.size()), 4);
        out.replace(tableAt + 4 * line, 4, offset);
        for (int c = 0; c < 3; ++c) {
            const QByteArray row = Row(rgb, rgb.height() - 1 - line, c);
            QByteArray packed;
            for (int i = 0; i < row.size(); i += 128) {
                const int n = std::min(128, int(row.size()) - i);
                packed.append(char(-n)).append(row.mid(i, n));
            }
            PutBE(out, uint32_t(packed.size()), 2);
            out += packed;
        }
    }
    return out;
}

QByteArray EncodeCUT(const QImage &rgb)
{
    QByteArray out;
    PutLE(out, uint32_t(rgb.width()), 2);
    PutLE(out, uint32_t(rgb.height()), 2);
    PutLE(out, 0, 2);
    for (int y = 0; y < rgb.height(); ++y) {
        const QByteArray row = Row(rgb, y, 1);
        QByteArray packed;
        for (int i = 0; i < row.size(); i += 127) {
            const int n = std::min(127, int(row.size()) - i);
            packed.append(char(n)).append(row.mid(i, n));
        }
        PutLE(out, uint32_t(packed.size() + 1), 2);
        out += packed;
        out.append('\0');
    }
    return out;
}

QByteArray EncodeAnimator(const QImage &rgb)
{
    QByteArray out;
    PutLE(out, 0x9119, 2);
    PutLE(out, uint32_t(rgb.width()), 2);
    PutLE(out, uint32_t(rgb.height()), 2);
    PutLE(out, 0, 4);
    out.append(char(8)).append('\0');
    PutLE(out, uint32_t(rgb.width() * rgb.height()), 4);
    out.append(16, '\0');
    for (int i = 0; i < 256; ++i)
        out.append(char(i / 4)).append(char(i / 4)).append(char(i / 4));
    for (int y = 0; y < rgb.height(); ++y)
        out += Row(rgb, y, 1);
    return out;
}

// Format 5, one 24-bit layer of run-length packed channels.
QByteArray EncodePSP(const QImage &rgb)
{
    auto block = [](int id, const QByteArray &body) {
        QByteArray out("~BK", 4);
        PutLE(out, uint32_t(id), 2);
        PutLE(out, uint32_t(body.size()), 4);
        return out + body;
    };
    auto chunk = [](const QByteArray &fields) {
        QByteArray out;
        PutLE(out, uint32_t(fields.size() + 4), 4);
        return out + fields;
    };
    QByteArray out("Paint Shop Pro Image File\n\x1a");
    out.append(32 - out.size(), '\0');
    PutLE(out, 5, 2);
    PutLE(out, 0, 2);
    QByteArray a;
    PutLE(a, uint32_t(rgb.width()), 4);
    PutLE(a, uint32_t(rgb.height()), 4);
    a.append(9, '\0');
    PutLE(a, 1, 2);  // run-length
    PutLE(a, 24, 2);
    PutLE(a, 1, 2);
    PutLE(a, 1u << 24, 4);
    a.append('\0');
    a.append(14, '\0');
    out += block(0, chunk(a));
    QByteArray info;
    PutLE(info, 0, 2);
    info.append(char(1));
    for (int v : {0, 0, rgb.width(), rgb.height(), 0, 0, rgb.width(), rgb.height()})
        PutLE(info, uint32_t(v), 4);
    info.append(char(255)).append('\0').append(char(1));
    QByteArray counts;
    PutLE(counts, 1, 2);
    PutLE(counts, 3, 2);
    QByteArray layer = chunk(info) + chunk(counts);
    for (int c = 0; c < 3; ++c) {
        QByteArray packed;
        for (int y = 0; y < rgb.height(); ++y) {
            const QByteArray row = Row(rgb, y, c);
            for (int i = 0; i < row.size(); i += 127) {
                const int n = std::min(127, int(row.size()) - i);
                packed.append(char(n)).append(row.mid(i, n));
            }
        }
        QByteArray fields;
        PutLE(fields, uint32_t(packed.size()), 4);
        PutLE(fields, uint32_t(rgb.width() * rgb.height()), 4);
        PutLE(fields, 0, 2);
        PutLE(fields, uint32_t(c + 1), 2);
        layer += block(5, chunk(fields) + packed);
    }
    out += block(3, block(4, layer));
    return out;
}

template <class Graphic>
void Measure(const char *name, const QByteArray &bytes)
{
    const double ms = MedianMilliseconds(5, [&] {
        Graphic graphic;
        graphic.LoadFromBytes(bytes);
        (void)graphic.Bitmap().convertToFormat(QImage::Format_BGR888);
    });
    PrintFigure(QStringLiteral("%1_decode_4000x3000").arg(QLatin1String(name)), ms, "ms",
                QStringLiteral("ours alone, to 24 bits; %1 MB file").arg(double(bytes.size()) / 1e6, 0, 'f', 1));
}

} // namespace

VISTRANO_BENCH(raster_formats_decode)
{
    if (context.photos.isEmpty())
        return;
    const QImage photo = QImage(context.photos.first()).convertToFormat(QImage::Format_RGB888);
    Measure<TRLAGraphic>("rla", EncodeRLA(photo));
    Measure<TPSPGraphic>("psp_rle", EncodePSP(photo));
    Measure<TCUTGraphic>("cut", EncodeCUT(photo));
    Measure<TAutodeskGraphic>("autodesk_animator", EncodeAnimator(photo));
}
