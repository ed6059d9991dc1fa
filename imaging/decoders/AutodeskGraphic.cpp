#include "imaging/decoders/AutodeskGraphic.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char *kFormat = "Autodesk";

uint8_t SixToEight(unsigned value)
{
    return uint8_t((std::min(value, 63u) * 255 + 31) / 63);
}

QList<QRgb> GreyRamp()
{
    QList<QRgb> colors(256);
    for (int i = 0; i < 256; ++i)
        colors[i] = qRgb(i, i, i);
    return colors;
}

// Copies width x height raw bytes into the rows of an 8-bit bitmap.
void CopyPixels(std::span<const uint8_t> pixels, QImage &bitmap)
{
    const size_t width = size_t(bitmap.width());
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(bitmap.scanLine(y), pixels.data() + size_t(y) * width, width);
}

// Colour chunk of a flic frame: packets of (skip, count, count x RGB), a
// count of 0 meaning 256.
void ReadFlicColors(ByteReader chunk, QList<QRgb> &colors, bool sixBit)
{
    const unsigned packets = chunk.U16LE();
    unsigned index = 0;
    for (unsigned packet = 0; packet < packets && index < 256; ++packet) {
        index += chunk.U8();
        unsigned count = chunk.U8();
        if (count == 0)
            count = 256;
        for (unsigned i = 0; i < count && index < 256; ++i, ++index) {
            unsigned red = chunk.U8(), green = chunk.U8(), blue = chunk.U8();
            if (sixBit)
                red = SixToEight(red), green = SixToEight(green), blue = SixToEight(blue);
            colors[int(index)] = qRgb(int(red), int(green), int(blue));
        }
    }
}

// Byte-run frame: per row an unused packet count, then signed packets
// (positive: a run of the next byte, negative: literal bytes) until the row
// is full.
void ReadByteRun(ByteReader chunk, QImage &bitmap)
{
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar *row = bitmap.scanLine(y);
        chunk.Skip(1);
        int x = 0;
        while (x < width) {
            const int count = chunk.I8();
            if (count >= 0) {
                const uint8_t value = chunk.U8();
                const int n = std::min(count, width - x);
                std::memset(row + x, value, size_t(n));
                x += n;
            } else {
                std::span<const uint8_t> literal = chunk.Bytes(size_t(-count));
                const int n = std::min(-count, width - x);
                std::memcpy(row + x, literal.data(), size_t(n));
                x += n;
            }
        }
    }
}

// True when the frame holds a picture chunk with data enough for every
// row (a byte-run row takes at least its count byte and a two-byte packet
// per 127 pixels, a copied picture every pixel), or paints it black.
// Checked before the picture is allocated, so that a header cannot make
// room for pixels the file does not have.
bool FramePaintsPicture(ByteReader frame, int width, int height)
{
    frame.Skip(6);
    const unsigned chunks = frame.U16LE();
    frame.Skip(8);
    const uint64_t leastByteRun = uint64_t(height) * (1 + 2 * ((uint64_t(width) + 126) / 127));
    for (unsigned i = 0; i < chunks && frame.Remaining() >= 6; ++i) {
        const size_t start = frame.Position();
        const uint32_t size = frame.U32LE();
        const uint16_t type = frame.U16LE();
        if (size < 6 || size > frame.Size() - start)
            return false;
        const uint64_t data = size - 6;
        if (type == 13 || (type == 15 && data >= leastByteRun) || (type == 16 && data >= uint64_t(width) * uint64_t(height)))
            return true;
        frame.Seek(start + size);
    }
    return false;
}

} // namespace

const TGraphicClass &TAutodeskGraphic::StaticClass()
{
    static const TGraphicClass cls{"TAutodeskGraphic", [] { return std::unique_ptr<TGraphic>(new TAutodeskGraphic); }};
    return cls;
}

void TAutodeskGraphic::LoadFromBytes(const QByteArray &data)
{
    ByteReader file(data);
    if (file.Size() >= 2 && file.U16LE() == 0x9119) {
        LoadAnimator(file);
        return;
    }
    file.Seek(0);
    file.Sub(0, 6);
    file.Seek(4);
    // The magic of the later formats sits behind a file size field.
    switch (file.U16LE()) {
    case 0x9500:
        LoadProPicture(file);
        return;
    case 0xAF12:
        LoadFlic(file, true);
        return;
    case 0xAF11:
        LoadFlic(file, false);
        return;
    default:
        FormatError(kFormat);
    }
}

void TAutodeskGraphic::LoadAnimator(ByteReader &file)
{
    ByteReader header = file.Sub(0, 32);
    header.Seek(2);
    const int width = header.U16LE();
    const int height = header.U16LE();
    header.Skip(4);
    const int depth = header.U8();
    const int compress = header.U8();
    if (width == 0 || height == 0)
        FormatError(kFormat);
    if (depth != 8 || compress != 0)
        ColorFormatError(kFormat);
    // Width x height decides, not the stored data size, which is only
    // informative.
    ByteReader palette = file.Sub(32, 768);
    std::span<const uint8_t> pixels = file.Sub(800, size_t(width) * size_t(height)).Rest();

    QList<QRgb> colors(256);
    for (int i = 0; i < 256; ++i) {
        const unsigned red = palette.U8(), green = palette.U8(), blue = palette.U8();
        colors[i] = qRgb(SixToEight(red), SixToEight(green), SixToEight(blue));
    }
    QImage bitmap = NewBitmap(width, height, QImage::Format_Indexed8);
    CopyPixels(pixels, bitmap);
    bitmap.setColorTable(colors);
    m_bitmap = bitmap;
}

void TAutodeskGraphic::LoadProPicture(ByteReader &file)
{
    ByteReader header = file.Sub(0, 64);
    header.Seek(6);
    const int width = header.U16LE();
    const int height = header.U16LE();
    header.Seek(18);
    const int depth = header.U8();
    if (width == 0 || height == 0)
        FormatError(kFormat);
    if (depth != 8 && depth != 1)
        ColorFormatError(kFormat);

    const size_t rowBytes = depth == 8 ? size_t(width) : (size_t(width) + 7) / 8;
    const size_t pixelBytes = rowBytes * size_t(height);
    QList<QRgb> colors;
    std::span<const uint8_t> pixels;
    int pixelDepth = 0;
    file.Seek(64);
    while (file.Remaining() >= 6) {
        const size_t start = file.Position();
        const uint32_t size = file.U32LE();
        const uint16_t type = file.U16LE();
        if (size < 6)
            FormatError(kFormat);
        ByteReader chunk = file.Sub(start + 6, size - 6);
        if (type == 0) {
            chunk.Skip(2);
            colors = GreyRamp();
            for (int i = 0; i < 256 && chunk.Remaining() >= 3; ++i) {
                const int red = chunk.U8(), green = chunk.U8(), blue = chunk.U8();
                colors[i] = qRgb(red, green, blue);
            }
        } else if ((type == 1 || type == 2) && pixels.empty()) {
            pixelDepth = type == 1 ? 8 : 1;
            if (pixelDepth != depth)
                ColorFormatError(kFormat);
            pixels = chunk.Bytes(pixelBytes);
        }
        file.Seek(start + size);
    }
    if (pixels.empty())
        throw EReadError();

    QImage bitmap = NewBitmap(width, height, QImage::Format_Indexed8);
    if (depth == 8) {
        CopyPixels(pixels, bitmap);
        bitmap.setColorTable(colors.isEmpty() ? GreyRamp() : colors);
    } else {
        // A mask: set bits white on black, the leftmost pixel in the top bit.
        for (int y = 0; y < height; ++y) {
            const uint8_t *in = pixels.data() + size_t(y) * rowBytes;
            uchar *row = bitmap.scanLine(y);
            for (int x = 0; x < width; ++x)
                row[x] = (in[x / 8] >> (7 - x % 8)) & 1;
        }
        bitmap.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    }
    m_bitmap = bitmap;
}

void TAutodeskGraphic::LoadFlic(ByteReader &file, bool flc)
{
    ByteReader header = file.Sub(0, 128);
    header.Seek(8);
    const int width = header.U16LE();
    const int height = header.U16LE();
    const int depth = header.U16LE();
    header.Seek(80);
    const uint32_t firstFrame = header.U32LE();
    if (width == 0 || height == 0)
        FormatError(kFormat);
    if (depth != 8 && depth != 0)
        ColorFormatError(kFormat);

    // A flic starts on a black picture with a black palette; its first frame
    // paints both. Chunks before it (the prefix chunk of a cel) are skipped.
    size_t position = flc && firstFrame >= 128 && firstFrame < file.Size() ? firstFrame : 128;
    while (true) {
        ByteReader chunkHeader = file.Sub(position, 6);
        const uint32_t size = chunkHeader.U32LE();
        const uint16_t type = chunkHeader.U16LE();
        if (size < 6)
            FormatError(kFormat);
        if (type == 0xF1FA) {
            ByteReader frame = file.Sub(position, std::min<size_t>(size, file.Size() - position));
            if (!FramePaintsPicture(frame, width, height))
                throw EReadError();
            QImage bitmap = NewBitmap(width, height, QImage::Format_Indexed8);
            bitmap.fill(0);
            QList<QRgb> colors(256, qRgb(0, 0, 0));
            DecodeFrame(frame, bitmap, colors);
            bitmap.setColorTable(colors);
            m_bitmap = bitmap;
            return;
        }
        position += size;
    }
}

void TAutodeskGraphic::DecodeFrame(ByteReader frame, QImage &bitmap, QList<QRgb> &colors)
{
    frame.Skip(6);
    const unsigned chunks = frame.U16LE();
    frame.Skip(8);
    const size_t pixelBytes = size_t(bitmap.width()) * size_t(bitmap.height());
    for (unsigned i = 0; i < chunks && frame.Remaining() >= 6; ++i) {
        const size_t start = frame.Position();
        const uint32_t size = frame.U32LE();
        const uint16_t type = frame.U16LE();
        if (size < 6)
            FormatError(kFormat);
        ByteReader chunk = frame.Sub(start + 6, size - 6);
        switch (type) {
        case 4:
        case 11:
            ReadFlicColors(chunk, colors, type == 11);
            break;
        case 13:
            bitmap.fill(0);
            break;
        case 15:
            ReadByteRun(chunk, bitmap);
            break;
        case 16:
            CopyPixels(chunk.Bytes(pixelBytes), bitmap);
            break;
        default:
            // Postage stamps and delta chunks (which belong to later frames).
            break;
        }
        frame.Seek(start + size);
    }
}
