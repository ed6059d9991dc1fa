#include "imaging/decoders/CUTGraphic.h"

#include "common/VistranoError.h"
#include "common/WholeFile.h"

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/CUTRLEDecoder.h"
#include "imaging/decoders/HaloPalette.h"


namespace {

constexpr const char *kFormat = "CUT";

QList<QRgb> GreyRamp(int largestIndex)
{
    QList<QRgb> colors(256, qRgb(255, 255, 255));
    for (int i = 0; i <= largestIndex; ++i) {
        const int grey = largestIndex == 0 ? 0 : (i * 255 + largestIndex / 2) / largestIndex;
        colors[i] = qRgb(grey, grey, grey);
    }
    return colors;
}

int LargestIndex(const QImage &bitmap)
{
    uchar largest = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar *row = bitmap.constScanLine(y);
        for (int x = 0; x < bitmap.width(); ++x)
            largest = std::max(largest, row[x]);
    }
    return largest;
}

} // namespace

const TGraphicClass &TCUTGraphic::StaticClass()
{
    static const TGraphicClass cls{"TCUTGraphic", [] { return std::unique_ptr<TGraphic>(new TCUTGraphic); }};
    return cls;
}

void TCUTGraphic::LoadFromBytes(const QByteArray &data)
{
    ByteReader reader(data);
    const int width = reader.U16LE();
    const int height = reader.U16LE();
    reader.Skip(2);
    if (width == 0 || height == 0)
        FormatError(kFormat);
    // Every row takes at least its length word, one packet of two bytes per
    // 127 pixels and its end marker: a file shorter than that has ended
    // early, and its size must not decide how much is allocated.
    const size_t leastRowBytes = 3 + 2 * ((size_t(width) + 126) / 127);
    if (reader.Remaining() / leastRowBytes < size_t(height))
        throw EReadError();
    QImage bitmap = NewBitmap(width, height, QImage::Format_Indexed8);
    bitmap.fill(0);

    TCUTRLEDecoder decoder;
    decoder.Start();
    std::span<const uint8_t> source = reader.Rest();
    for (int y = 0; y < height; ++y) {
        if (source.size() < 2)
            throw EReadError();
        decoder.Decode(source, std::span<uint8_t>(bitmap.scanLine(y), size_t(width)), size_t(width));
    }
    decoder.Finish();
    bitmap.setColorTable(GreyRamp(LargestIndex(bitmap)));
    m_bitmap = bitmap;
}

void TCUTGraphic::LoadFromFile(const QString &path)
{
    LoadFromBytes(ReadWholeFile(path));
    const QString palettePath = FindHaloPaletteFile(path);
    if (palettePath.isEmpty())
        return;
    // A palette that cannot be read leaves the picture grey, as without one.
    QByteArray palette;
    try {
        palette = ReadWholeFile(palettePath);
    } catch (const VistranoError &) {
        return;
    }
    const std::optional<QList<QRgb>> colors = ReadHaloPalette(palette);
    if (!colors || colors->isEmpty())
        return;
    QList<QRgb> table = *colors;
    while (table.size() < 256)
        table.append(qRgb(0, 0, 0));
    m_bitmap.setColorTable(table);
}
