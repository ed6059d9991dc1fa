#include "imaging/decoders/TargaGraphic.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/TargaRLEDecoder.h"

#include <QList>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

static_assert(std::endian::native == std::endian::little, "32-bit pixels are copied as B, G, R, A bytes");

namespace {

constexpr const char *kFormatName = "Targa";

enum ImageKind { kColourMapped = 1, kTrueColour = 2, kGrey = 3 };

struct TargaHeader
{
    uint8_t idLength;
    uint8_t mapType;
    uint8_t imageType;
    uint16_t mapFirst;
    uint16_t mapLength;
    uint8_t mapEntrySize;
    uint16_t width;
    uint16_t height;
    uint8_t depth;
    uint8_t descriptor;

    int Kind() const { return imageType & 7; }
    bool Packed() const { return imageType & 8; }
    bool TopDown() const { return descriptor & 0x20; }
    bool RightToLeft() const { return descriptor & 0x10; }
    int AttributeBits() const { return descriptor & 0x0F; }
};

TargaHeader ReadHeader(ByteReader &reader)
{
    TargaHeader h;
    h.idLength = reader.U8();
    h.mapType = reader.U8();
    h.imageType = reader.U8();
    h.mapFirst = reader.U16LE();
    h.mapLength = reader.U16LE();
    h.mapEntrySize = reader.U8();
    reader.Skip(4); // screen origin
    h.width = reader.U16LE();
    h.height = reader.U16LE();
    h.depth = reader.U8();
    h.descriptor = reader.U8();
    return h;
}

size_t BytesPerPixel(int depth) { return size_t(depth + 7) / 8; }

uint8_t Expand5(unsigned v) { return uint8_t((v * 255 + 15) / 31); }

QRgb Colour16(uint16_t word, bool withAlpha)
{
    const int alpha = withAlpha ? ((word & 0x8000) ? 255 : 0) : 255;
    return qRgba(Expand5(word >> 10 & 31), Expand5(word >> 5 & 31), Expand5(word & 31), alpha);
}

enum class HeaderCheck { Good, BadFormat, BadColourFormat };

HeaderCheck CheckHeader(const TargaHeader &h)
{
    if (h.imageType != 1 && h.imageType != 2 && h.imageType != 3 && h.imageType != 9 && h.imageType != 10
        && h.imageType != 11)
        return HeaderCheck::BadFormat;
    if (h.descriptor & 0xC0) // interleaved rows of early writers
        return HeaderCheck::BadFormat;
    switch (h.Kind()) {
    case kColourMapped:
        if (h.mapType != 1 || h.mapLength == 0 || h.depth != 8)
            return HeaderCheck::BadColourFormat;
        if (h.mapEntrySize != 15 && h.mapEntrySize != 16 && h.mapEntrySize != 24 && h.mapEntrySize != 32)
            return HeaderCheck::BadColourFormat;
        break;
    case kTrueColour:
        if (h.depth != 15 && h.depth != 16 && h.depth != 24 && h.depth != 32)
            return HeaderCheck::BadColourFormat;
        break;
    default:
        if (h.depth != 8)
            return HeaderCheck::BadColourFormat;
        break;
    }
    return HeaderCheck::Good;
}

// The 256 colours that 8-bit indices select; indices outside the stored
// part of the map are black.
QList<QRgb> ReadColourMap(ByteReader &reader, const TargaHeader &h)
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const size_t entryBytes = BytesPerPixel(h.mapEntrySize);
    const std::span<const uint8_t> map = reader.Bytes(size_t(h.mapLength) * entryBytes);
    for (size_t i = 0; i < h.mapLength; ++i) {
        const size_t index = size_t(h.mapFirst) + i;
        if (index >= 256)
            break;
        const uint8_t *p = map.data() + i * entryBytes;
        if (entryBytes == 2)
            table[qsizetype(index)] = Colour16(uint16_t(p[0] | p[1] << 8), false);
        else
            table[qsizetype(index)] = qRgb(p[2], p[1], p[0]);
    }
    return table;
}

// What the TGA 2.0 extension area says about the alpha data: -1 when the
// file has none, else its attributes type (3 useful, 4 premultiplied).
int ExtensionAttributesType(const QByteArray &data)
{
    static constexpr char kSignature[18] = {'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O',
                                            'N', '-', 'X', 'F', 'I', 'L', 'E', '.', '\0'};
    constexpr size_t kFooterSize = 26, kExtensionSize = 495;
    ByteReader reader(data);
    if (reader.Size() < 18 + kFooterSize)
        return -1;
    reader.Seek(reader.Size() - kFooterSize);
    const uint32_t extensionOffset = reader.U32LE();
    reader.Skip(4);
    if (std::memcmp(reader.Bytes(18).data(), kSignature, 18) != 0 || extensionOffset == 0
        || extensionOffset > reader.Size() - kFooterSize || reader.Size() - kFooterSize - extensionOffset < kExtensionSize)
        return -1;
    reader.Seek(extensionOffset);
    if (reader.U16LE() < kExtensionSize)
        return -1;
    reader.Seek(extensionOffset + kExtensionSize - 1);
    return reader.U8();
}

bool AnyAlpha(std::span<const uint8_t> pixels, int depth)
{
    if (depth == 32) {
        for (size_t i = 3; i < pixels.size(); i += 4)
            if (pixels[i])
                return true;
    } else {
        for (size_t i = 1; i < pixels.size(); i += 2)
            if (pixels[i] & 0x80)
                return true;
    }
    return false;
}

void MirrorRow(uchar *row, int width, size_t pixelBytes)
{
    uint8_t tmp[4];
    for (int l = 0, r = width - 1; l < r; ++l, --r) {
        std::memcpy(tmp, row + size_t(l) * pixelBytes, pixelBytes);
        std::memcpy(row + size_t(l) * pixelBytes, row + size_t(r) * pixelBytes, pixelBytes);
        std::memcpy(row + size_t(r) * pixelBytes, tmp, pixelBytes);
    }
}

} // namespace

const TGraphicClass &TTargaGraphic::StaticClass()
{
    static const TGraphicClass cls{"TTargaGraphic", [] { return std::unique_ptr<TGraphic>(new TTargaGraphic); }};
    return cls;
}

void TTargaGraphic::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = QImage();
    ByteReader reader(data);
    const TargaHeader h = ReadHeader(reader);
    switch (CheckHeader(h)) {
    case HeaderCheck::BadFormat:
        FormatError(kFormatName);
    case HeaderCheck::BadColourFormat:
        ColorFormatError(kFormatName);
    case HeaderCheck::Good:
        break;
    }
    reader.Skip(h.idLength);

    QList<QRgb> colourMap;
    if (h.Kind() == kColourMapped)
        colourMap = ReadColourMap(reader, h);
    else if (h.mapType == 1)
        reader.Skip(size_t(h.mapLength) * BytesPerPixel(h.mapEntrySize));

    const int width = h.width, height = h.height;
    CheckPictureSize(width, height);
    const size_t pixelBytes = BytesPerPixel(h.depth);
    const size_t pixelCount = size_t(width) * size_t(height);
    const size_t storedBytes = pixelCount * pixelBytes;

    // The pixels in file order, unpacked when they are packed.
    std::vector<uint8_t> unpacked;
    std::span<const uint8_t> stored;
    if (h.Packed()) {
        // A packet carries at most 128 pixels for 1 + pixelBytes bytes: less
        // data than that cannot hold the picture.
        if (reader.Remaining() / (1 + pixelBytes) * 128 + 128 < pixelCount)
            throw EReadError();
        unpacked.resize(storedBytes);
        std::span<const uint8_t> source = reader.Rest();
        if (TTargaRLEDecoder(h.depth).Decode(source, unpacked, pixelCount) < storedBytes)
            throw EReadError();
        stored = unpacked;
    } else {
        stored = reader.Bytes(storedBytes);
    }

    bool alpha = false;
    bool premultiplied = false;
    if (h.Kind() == kTrueColour && (h.depth == 16 || h.depth == 32)) {
        const int attributes = ExtensionAttributesType(data);
        alpha = attributes >= 0 ? (attributes == 3 || attributes == 4) : h.AttributeBits() > 0;
        premultiplied = attributes == 4 && h.depth == 32;
        // Many writers leave the alpha bits 0; taken literally that would be
        // an invisible picture.
        alpha = alpha && AnyAlpha(stored, h.depth);
    }

    QImage::Format format;
    size_t outPixelBytes = 4;
    if (h.Kind() == kColourMapped) {
        format = QImage::Format_Indexed8;
        outPixelBytes = 1;
    } else if (h.Kind() == kGrey) {
        format = QImage::Format_Grayscale8;
        outPixelBytes = 1;
    } else if (h.depth == 24) {
        format = QImage::Format_BGR888;
        outPixelBytes = 3;
    } else if (alpha) {
        format = premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32;
    } else {
        format = QImage::Format_RGB32;
    }
    QImage bitmap = NewBitmap(width, height, format);
    if (format == QImage::Format_Indexed8)
        bitmap.setColorTable(colourMap);

    const size_t rowBytes = size_t(width) * pixelBytes;
    for (int r = 0; r < height; ++r) {
        const uint8_t *in = stored.data() + size_t(r) * rowBytes;
        uchar *out = bitmap.scanLine(h.TopDown() ? r : height - 1 - r);
        if (h.depth == 15 || h.depth == 16) {
            QRgb *pixels = reinterpret_cast<QRgb *>(out);
            for (int x = 0; x < width; ++x)
                pixels[x] = Colour16(uint16_t(in[2 * x] | in[2 * x + 1] << 8), alpha);
        } else if (h.depth == 32) {
            std::memcpy(out, in, rowBytes);
            if (!alpha) {
                for (int x = 0; x < width; ++x)
                    out[4 * x + 3] = 255;
            } else if (premultiplied) {
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < 3; ++c)
                        out[4 * x + c] = std::min(out[4 * x + c], out[4 * x + 3]);
            }
        } else {
            std::memcpy(out, in, rowBytes);
        }
        if (h.RightToLeft())
            MirrorRow(out, width, outPixelBytes);
    }
    m_bitmap = std::move(bitmap);
}
