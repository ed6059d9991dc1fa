#include "imaging/decoders/GIFGraphic.h"

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/GIFLZWDecoder.h"
#include "imaging/decoders/PackedDataLimits.h"

#include <QList>

#include <cstring>
#include <vector>

namespace {

constexpr const char *kFormatName = "GIF";

constexpr uint8_t kImageSeparator = ',';
constexpr uint8_t kExtensionIntroducer = '!';
constexpr uint8_t kTrailer = ';';
constexpr uint8_t kPlainTextLabel = 1;
constexpr uint8_t kGraphicControlLabel = 249;

bool IsGIFSignature(const uint8_t *bytes)
{
    return (bytes[0] & 0xDF) == 'G' && (bytes[1] & 0xDF) == 'I' && (bytes[2] & 0xDF) == 'F';
}

QList<QRgb> ReadColourTable(ByteReader &reader, uint8_t flags)
{
    const int count = 2 << (flags & 7);
    const std::span<const uint8_t> bytes = reader.Bytes(size_t(count) * 3);
    QList<QRgb> table(count);
    for (int i = 0; i < count; ++i)
        table[i] = qRgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
    return table;
}

void SkipSubBlocks(ByteReader &reader)
{
    while (const uint8_t length = reader.U8())
        reader.Skip(length);
}

// Reads up to the first image descriptor; false when the trailer comes first.
bool ScanToImage(ByteReader &reader)
{
    for (;;) {
        const uint8_t byte = reader.U8();
        if (byte == kImageSeparator)
            return true;
        if (byte == kTrailer)
            return false;
        if (byte != kExtensionIntroducer)
            continue;
        const uint8_t label = reader.U8();
        if (label == kPlainTextLabel) {
            reader.Skip(reader.U8());
            SkipSubBlocks(reader);
        } else if (label == kGraphicControlLabel) {
            reader.Skip(size_t(reader.U8()) + 1);
        } else {
            // Comment, application and any label we do not know: their data
            // is sub-blocks, so skipping those keeps the scan out of them.
            SkipSubBlocks(reader);
        }
    }
}

// The image data without its length bytes.
std::vector<uint8_t> ReadSubBlockData(ByteReader &reader)
{
    const size_t start = reader.Position();
    size_t total = 0;
    while (const uint8_t length = reader.U8()) {
        reader.Skip(length);
        total += length;
    }
    std::vector<uint8_t> data(total);
    reader.Seek(start);
    size_t filled = 0;
    while (const uint8_t length = reader.U8()) {
        reader.Read(data.data() + filled, length);
        filled += length;
    }
    return data;
}

// Row of the bitmap that the n-th decoded row belongs to.
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    order.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            order.push_back(y);
    return order;
}

QList<QRgb> GreyRamp()
{
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i, i, i);
    return table;
}

} // namespace

const TGraphicClass &TGIFGraphic::StaticClass()
{
    static const TGraphicClass cls{"TGIFGraphic", [] { return std::unique_ptr<TGraphic>(new TGIFGraphic); }};
    return cls;
}

bool TGIFGraphic::CanLoad(const QByteArray &data)
{
    return data.size() > 22 && IsGIFSignature(reinterpret_cast<const uint8_t *>(data.constData()));
}

void TGIFGraphic::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = QImage();
    ByteReader reader(data);

    uint8_t signature[6];
    reader.Read(signature, sizeof signature);
    if (!IsGIFSignature(signature))
        FormatError(kFormatName);

    const uint16_t screenWidth = reader.U16LE();
    const uint16_t screenHeight = reader.U16LE();
    const uint8_t screenFlags = reader.U8();
    reader.Skip(2); // background colour, aspect
    QList<QRgb> palette;
    if (screenFlags & 0x80)
        palette = ReadColourTable(reader, screenFlags);

    if (!ScanToImage(reader))
        return;

    reader.Skip(4); // left, top
    const uint16_t width = reader.U16LE();
    const uint16_t height = reader.U16LE();
    const uint8_t imageFlags = reader.U8();
    const int64_t pictureWidth = width ? width : screenWidth;
    const int64_t pictureHeight = height ? height : screenHeight;
    const bool interlaced = imageFlags & 0x40;
    if (imageFlags & 0x80)
        palette = ReadColourTable(reader, imageFlags);
    if (palette.isEmpty())
        palette = GreyRamp();

    const int codeSize = reader.U8();
    if (codeSize < 1 || codeSize > 8)
        FormatError(kFormatName);
    const std::vector<uint8_t> packed = ReadSubBlockData(reader);
    // Damaged data may leave the last rows colour 0, but data that cannot
    // even in theory reach the size the header claims is no picture of it.
    // Codes start at s + 1 bits.
    if (MostLZWOutput(packed.size(), codeSize + 1) < uint64_t(pictureWidth) * uint64_t(pictureHeight))
        FormatError(kFormatName);

    QImage bitmap = NewBitmap(pictureWidth, pictureHeight, QImage::Format_Indexed8);
    bitmap.setColorTable(palette);

    // Rows the data does not reach stay colour 0.
    const size_t rowBytes = size_t(pictureWidth);
    std::vector<uint8_t> pixels(rowBytes * size_t(pictureHeight), 0);
    std::span<const uint8_t> source(packed);
    TGIFLZWDecoder(codeSize).Decode(source, pixels, pixels.size());

    const std::vector<int> order = RowOrder(int(pictureHeight), interlaced);
    for (size_t n = 0; n < order.size(); ++n)
        std::memcpy(bitmap.scanLine(order[n]), pixels.data() + n * rowBytes, rowBytes);
    m_bitmap = std::move(bitmap);
}
