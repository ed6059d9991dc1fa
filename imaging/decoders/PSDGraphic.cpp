#include "imaging/decoders/PSDGraphic.h"

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/PSDChannelReader.h"
#include "imaging/PictureLimits.h"

#include <cstring>

namespace {

constexpr const char *kFormat = "PSD";

enum Mode : uint16_t { BitmapMode = 0, Grayscale = 1, Indexed = 2, RGB = 3, CMYK = 4, Multichannel = 7, Duotone = 8, Lab = 9 };

// Colour channels a mode needs.
int ColorChannels(uint16_t mode, int channels)
{
    switch (mode) {
    case RGB:
        return 3;
    case CMYK:
        return 4;
    case Multichannel:
        // No composite meaning of its own: three channels are read as
        // inverted C, M, Y, four or more as CMYK, fewer as grey.
        return channels >= 4 ? 4 : channels == 3 ? 3 : 1;
    default:
        return 1;
    }
}

// A section with a 4-byte length (8 bytes for the layer section of PSB),
// checked against the data; the reader moves past it.
ByteReader Section(ByteReader &file, bool wideLength)
{
    const uint64_t length = wideLength ? (uint64_t(file.U32BE()) << 32 | file.U32BE()) : file.U32BE();
    if (length > file.Remaining())
        throw EReadError();
    ByteReader section = file.Sub(file.Position(), size_t(length));
    file.Skip(size_t(length));
    return section;
}

// Stored CMYK is inverted (255 is no ink): R = C'K' / 255 and so on.
inline uint8_t Ink(unsigned stored, unsigned black)
{
    return uint8_t((stored * black + 127) / 255);
}

} // namespace

const TGraphicClass &TPSDGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPSDGraphic", [] { return std::unique_ptr<TGraphic>(new TPSDGraphic); }};
    return cls;
}

void TPSDGraphic::LoadFromBytes(const QByteArray &data)
{
    ByteReader file(data);
    ByteReader header = file.Sub(0, 26);
    if (std::memcmp(header.Bytes(4).data(), "8BPS", 4) != 0)
        FormatError(kFormat);
    const uint16_t version = header.U16BE();
    header.Skip(6);
    const int channels = header.U16BE();
    const uint32_t height = header.U32BE();
    const uint32_t width = header.U32BE();
    const int depth = header.U16BE();
    const uint16_t mode = header.U16BE();
    if ((version != 1 && version != 2) || channels < 1 || channels > 56 || width == 0 || height == 0)
        FormatError(kFormat);
    const bool large = version == 2;

    const bool depthFits = mode == BitmapMode ? depth == 1 : mode == Indexed ? depth == 8 : depth == 8 || depth == 16;
    const bool modeKnown = mode <= CMYK || mode == Multichannel || mode == Duotone;
    if (!modeKnown || !depthFits)
        ColorFormatError(kFormat);
    const int colorChannels = ColorChannels(mode, channels);
    if (channels < colorChannels)
        FormatError(kFormat);
    CheckPictureSize(width, height);

    file.Seek(26);
    ByteReader colorData = Section(file, false);
    if (mode == Indexed && colorData.Size() < 768)
        ColorFormatError(kFormat);
    Section(file, false); // image resources
    ByteReader layers = Section(file, large);
    // A negative layer count says that the first extra channel is the
    // transparency of the merged image.
    bool mergedAlpha = false;
    if (layers.Remaining() >= (large ? 8u : 4u) + 2) {
        layers.Skip(large ? 8 : 4);
        mergedAlpha = layers.I16BE() < 0;
    }
    const bool withAlpha = mergedAlpha && channels > colorChannels && mode != BitmapMode && mode != Indexed;

    const uint16_t compression = file.U16BE();
    if (compression > uint16_t(PSDCompression::ZipPredicted))
        FormatError(kFormat);
    PSDImageLayout layout{int(width), int(height), depth, channels, large};
    PSDChannelReader reader(file.Sub(file.Position(), file.Remaining()), PSDCompression(compression), layout);
    const std::vector<std::vector<uint8_t>> planes = reader.ReadPlanes(colorChannels + (withAlpha ? 1 : 0));
    const size_t planeRow = reader.PlaneRowBytes();

    if (mode == BitmapMode) {
        // 1 is black, 0 white: the bit order of a mono bitmap.
        QImage bitmap = NewBitmap(width, height, QImage::Format_Mono);
        for (uint32_t y = 0; y < height; ++y)
            std::memcpy(bitmap.scanLine(int(y)), planes[0].data() + y * planeRow, planeRow);
        bitmap.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        m_bitmap = bitmap;
        return;
    }
    if (mode == Indexed) {
        // The palette is planar: 256 reds, 256 greens, 256 blues.
        const uint8_t *palette = colorData.Rest().data();
        QList<QRgb> colors(256);
        for (int i = 0; i < 256; ++i)
            colors[i] = qRgb(palette[i], palette[256 + i], palette[512 + i]);
        QImage bitmap = NewBitmap(width, height, QImage::Format_Indexed8);
        for (uint32_t y = 0; y < height; ++y)
            std::memcpy(bitmap.scanLine(int(y)), planes[0].data() + y * planeRow, width);
        bitmap.setColorTable(colors);
        m_bitmap = bitmap;
        return;
    }

    if (colorChannels == 1 && !withAlpha) {
        QImage bitmap = NewBitmap(width, height, QImage::Format_Grayscale8);
        for (uint32_t y = 0; y < height; ++y)
            std::memcpy(bitmap.scanLine(int(y)), planes[0].data() + y * planeRow, width);
        m_bitmap = bitmap;
        return;
    }

    QImage bitmap = NewBitmap(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
    const bool cmyk = colorChannels == 4;
    const size_t pixelBytes = withAlpha ? 4 : 3;
    for (uint32_t y = 0; y < height; ++y) {
        uchar *out = bitmap.scanLine(int(y));
        const size_t at = y * planeRow;
        const uint8_t *c0 = planes[0].data() + at;
        const uint8_t *c1 = colorChannels > 1 ? planes[1].data() + at : c0;
        const uint8_t *c2 = colorChannels > 1 ? planes[2].data() + at : c0;
        const uint8_t *k = cmyk ? planes[3].data() + at : nullptr;
        const uint8_t *alpha = withAlpha ? planes[size_t(colorChannels)].data() + at : nullptr;
        for (uint32_t x = 0; x < width; ++x, out += pixelBytes) {
            uint8_t red = c0[x], green = c1[x], blue = c2[x];
            if (cmyk)
                red = Ink(red, k[x]), green = Ink(green, k[x]), blue = Ink(blue, k[x]);
            // Both BGR888 and ARGB32 (on a little-endian machine) keep blue
            // first in memory.
            out[0] = blue, out[1] = green, out[2] = red;
            if (alpha)
                out[3] = alpha[x];
        }
    }
    m_bitmap = bitmap;
}
