#include "imaging/decoders/PCXGraphic.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/PCXRLEDecoder.h"

#include <QList>

#include <cstring>
#include <vector>

namespace {

constexpr const char *kFormatName = "PCX";
constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 769; // the 0x0C marker and 256 RGB triples

struct PCXHeader
{
    uint8_t version;
    uint8_t encoding;
    int bitsPerPixel;
    int planes;
    int64_t width;
    int64_t height;
    size_t bytesPerLine;
    const uint8_t *headerPalette; // 16 RGB triples
};

bool ValidLayout(int bits, int planes)
{
    if (planes == 1)
        return bits == 1 || bits == 2 || bits == 4 || bits == 8;
    if (bits == 1)
        return planes >= 2 && planes <= 4;
    return bits == 8 && (planes == 3 || planes == 4);
}

// The 16-colour palette of the header; files that say they have none
// (version 3) or leave it empty get the standard EGA colours.
QList<QRgb> SixteenColours(const PCXHeader &h)
{
    static constexpr QRgb kEGA[16] = {0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA,
                                      0xFFAA5500, 0xFFAAAAAA, 0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF,
                                      0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF};
    bool empty = true;
    for (int i = 0; i < 48; ++i)
        empty = empty && h.headerPalette[i] == 0;
    QList<QRgb> table(16);
    for (int i = 0; i < 16; ++i) {
        const uint8_t *p = h.headerPalette + 3 * i;
        table[i] = (empty || h.version == 3) ? kEGA[i] : qRgb(p[0], p[1], p[2]);
    }
    return table;
}

// Two-colour files: the header's first two colours when it gives two
// different ones, else black and white.
QList<QRgb> TwoColours(const PCXHeader &h)
{
    const uint8_t *p = h.headerPalette;
    if (h.version != 3 && (p[0] != p[3] || p[1] != p[4] || p[2] != p[5]))
        return {qRgb(p[0], p[1], p[2]), qRgb(p[3], p[4], p[5])};
    return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
}

QList<QRgb> TrailingPalette(const uint8_t *marker)
{
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(marker[1 + 3 * i], marker[2 + 3 * i], marker[3 + 3 * i]);
    return table;
}

QList<QRgb> GreyRamp()
{
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i, i, i);
    return table;
}

// One decoded scan line (all planes) to palette indices.
void LineToIndices(const PCXHeader &h, const uint8_t *line, uchar *out)
{
    const int width = int(h.width);
    if (h.planes == 1) {
        switch (h.bitsPerPixel) {
        case 1:
            for (int x = 0; x < width; ++x)
                out[x] = line[x >> 3] >> (7 - (x & 7)) & 1;
            return;
        case 2:
            for (int x = 0; x < width; ++x)
                out[x] = line[x >> 2] >> (6 - 2 * (x & 3)) & 3;
            return;
        case 4:
            for (int x = 0; x < width; ++x)
                out[x] = line[x >> 1] >> (4 - 4 * (x & 1)) & 15;
            return;
        default:
            std::memcpy(out, line, size_t(width));
            return;
        }
    }
    for (int x = 0; x < width; ++x) {
        uchar index = 0;
        for (int p = 0; p < h.planes; ++p)
            index |= uchar((line[size_t(p) * h.bytesPerLine + size_t(x >> 3)] >> (7 - (x & 7)) & 1) << p);
        out[x] = index;
    }
}

} // namespace

const TGraphicClass &TPCXGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPCXGraphic", [] { return std::unique_ptr<TGraphic>(new TPCXGraphic); }};
    return cls;
}

void TPCXGraphic::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = QImage();
    ByteReader reader(data);
    const std::span<const uint8_t> header = reader.Bytes(kHeaderSize);
    ByteReader fields(header);
    if (fields.U8() != 0x0A)
        FormatError(kFormatName);
    PCXHeader h;
    h.version = fields.U8();
    h.encoding = fields.U8();
    h.bitsPerPixel = fields.U8();
    const int xMin = fields.U16LE(), yMin = fields.U16LE(), xMax = fields.U16LE(), yMax = fields.U16LE();
    fields.Skip(4); // resolution
    h.headerPalette = header.data() + 16;
    fields.Seek(65);
    h.planes = fields.U8();
    h.bytesPerLine = fields.U16LE();
    if (h.encoding > 1 || xMax < xMin || yMax < yMin)
        FormatError(kFormatName);
    if (!ValidLayout(h.bitsPerPixel, h.planes))
        ColorFormatError(kFormatName);
    h.width = int64_t(xMax) - xMin + 1;
    h.height = int64_t(yMax) - yMin + 1;
    CheckPictureSize(h.width, h.height);
    if (h.bytesPerLine < size_t((h.width * h.bitsPerPixel + 7) / 8))
        FormatError(kFormatName);

    // 8-bit single-plane files keep their palette behind the pixel data.
    const uint8_t *trailingPalette = nullptr;
    size_t dataEnd = reader.Size();
    if (h.bitsPerPixel == 8 && h.planes == 1 && dataEnd >= kHeaderSize + kPaletteSize
        && reader.Data()[dataEnd - kPaletteSize] == 0x0C) {
        dataEnd -= kPaletteSize;
        trailingPalette = reader.Data() + dataEnd;
    }
    const std::span<const uint8_t> packed(reader.Data() + kHeaderSize, dataEnd - kHeaderSize);

    const size_t lineBytes = size_t(h.planes) * h.bytesPerLine;
    const size_t totalBytes = lineBytes * size_t(h.height);
    // A run carries at most 63 bytes for 2 packed bytes.
    const size_t mostBytes = h.encoding ? packed.size() / 2 * 63 + 63 : packed.size();
    if (mostBytes < totalBytes)
        throw EReadError();
    std::vector<uint8_t> lines;
    const uint8_t *pixels = packed.data();
    if (h.encoding) {
        lines.resize(totalBytes);
        std::span<const uint8_t> source = packed;
        if (TPCXRLEDecoder().Decode(source, lines, totalBytes) < totalBytes)
            throw EReadError();
        pixels = lines.data();
    }

    const int width = int(h.width), height = int(h.height);
    QImage bitmap;
    if (h.bitsPerPixel == 8 && h.planes >= 3) {
        bool alpha = false;
        if (h.planes == 4)
            for (int y = 0; y < height && !alpha; ++y)
                for (int x = 0; x < width && !alpha; ++x)
                    alpha = pixels[size_t(y) * lineBytes + 3 * h.bytesPerLine + size_t(x)] != 0;
        bitmap = NewBitmap(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
        for (int y = 0; y < height; ++y) {
            const uint8_t *r = pixels + size_t(y) * lineBytes;
            const uint8_t *g = r + h.bytesPerLine, *b = g + h.bytesPerLine, *a = b + h.bytesPerLine;
            uchar *out = bitmap.scanLine(y);
            if (alpha) {
                QRgb *argb = reinterpret_cast<QRgb *>(out);
                for (int x = 0; x < width; ++x)
                    argb[x] = qRgba(r[x], g[x], b[x], a[x]);
            } else {
                for (int x = 0; x < width; ++x) {
                    out[3 * x] = b[x];
                    out[3 * x + 1] = g[x];
                    out[3 * x + 2] = r[x];
                }
            }
        }
    } else {
        bitmap = NewBitmap(width, height, QImage::Format_Indexed8);
        const int bits = h.bitsPerPixel * h.planes;
        if (bits == 8)
            bitmap.setColorTable(trailingPalette ? TrailingPalette(trailingPalette) : GreyRamp());
        else if (bits == 1)
            bitmap.setColorTable(TwoColours(h));
        else
            bitmap.setColorTable(SixteenColours(h).mid(0, 1 << bits));
        for (int y = 0; y < height; ++y)
            LineToIndices(h, pixels + size_t(y) * lineBytes, bitmap.scanLine(y));
    }
    m_bitmap = std::move(bitmap);
}
