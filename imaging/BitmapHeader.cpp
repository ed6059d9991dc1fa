#include "imaging/BitmapHeader.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"

#include <algorithm>

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kOS2HeaderMaxSize = 64;
constexpr uint32_t kV5HeaderSize = 124;

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
}

bool IsWindowsHeaderSize(uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size >= kV5HeaderSize;
}

bool IsKnownHeaderSize(uint32_t size)
{
    return size == kCoreHeaderSize || (size >= 16 && size <= kOS2HeaderMaxSize) || IsWindowsHeaderSize(size);
}

// The fields of the header that follow its size, read from a zero-padded copy
// so that short OS/2 2.x headers read as zero beyond their end.
struct InfoFields
{
    int32_t width, height;
    uint16_t bitCount;
    uint32_t compression, colorsUsed;
    uint32_t masks[4];
};

InfoFields ReadInfoFields(ByteReader reader, uint32_t headerSize)
{
    uint8_t bytes[kV5HeaderSize] = {};
    reader.Read(bytes, std::min(headerSize, kV5HeaderSize));
    ByteReader fields(bytes, sizeof bytes);
    fields.Seek(4);
    InfoFields info{};
    info.width = fields.I32LE();
    info.height = fields.I32LE();
    fields.Skip(2); // planes
    info.bitCount = fields.U16LE();
    info.compression = fields.U32LE();
    fields.Skip(12); // image size, resolution
    info.colorsUsed = fields.U32LE();
    fields.Skip(4); // important colours
    for (uint32_t &mask : info.masks)
        mask = fields.U32LE();
    return info;
}

void UseDefaultMasks(BitmapHeader &header)
{
    if (header.bitCount == 16) {
        header.redMask = 0x7C00, header.greenMask = 0x03E0, header.blueMask = 0x001F;
    } else {
        header.redMask = 0xFF0000, header.greenMask = 0x00FF00, header.blueMask = 0x0000FF;
    }
    header.alphaMask = 0;
}

void CheckCompression(const BitmapHeader &header, bool os2)
{
    const auto unsupported = [&] {
        throw EInvalidGraphic(QStringLiteral("Unsupported bitmap compression (%1).").arg(header.compression));
    };
    switch (header.compression) {
    case biRGB:
        break;
    case biRLE8:
    case biRLE4:
        if (header.bitCount != (header.compression == biRLE8 ? 8 : 4))
            throw EInvalidGraphic(QStringLiteral("Invalid bit count %1 for a run length encoded bitmap.")
                                      .arg(header.bitCount));
        break;
    case biBitfields:
    case biAlphaBitfields:
        // OS/2 2.x uses these codes for Huffman and 24-bit run length coding.
        if (os2)
            unsupported();
        if (header.bitCount != 16 && header.bitCount != 32)
            throw EInvalidGraphic(QStringLiteral("Invalid bit count %1 for a bitmap with bit fields.")
                                      .arg(header.bitCount));
        break;
    default:
        unsupported();
    }
}

} // namespace

BitmapHeader ReadBitmapHeader(const QByteArray &data)
{
    ByteReader reader(data);
    size_t infoStart = 0;
    uint32_t fileOffset = 0;
    if (data.startsWith("BM")) {
        reader.Skip(10);
        fileOffset = reader.U32LE();
        infoStart = 14;
    }
    const uint32_t headerSize = reader.U32LE();
    if (!IsKnownHeaderSize(headerSize))
        Invalid();
    const ByteReader headerBytes = reader.Sub(infoStart, headerSize);

    BitmapHeader header;
    const bool core = headerSize == kCoreHeaderSize;
    const bool os2 = !core && !IsWindowsHeaderSize(headerSize);
    int64_t colorsUsed = 0;
    if (core) {
        ByteReader fields = headerBytes;
        fields.Skip(4);
        header.width = fields.U16LE();
        header.height = fields.U16LE();
        fields.Skip(2);
        header.bitCount = fields.U16LE();
    } else {
        const InfoFields info = ReadInfoFields(headerBytes, headerSize);
        header.width = info.width;
        header.height = info.height;
        header.bitCount = info.bitCount;
        header.compression = headerSize >= 20 ? info.compression : biRGB;
        colorsUsed = info.colorsUsed;
        if (headerSize >= 52) {
            header.redMask = info.masks[0], header.greenMask = info.masks[1], header.blueMask = info.masks[2];
            header.alphaMask = headerSize >= 56 ? info.masks[3] : 0;
        }
    }
    if (header.height < 0) {
        header.topDown = true;
        header.height = -header.height;
    }
    switch (header.bitCount) {
    case 1: case 2: case 4: case 8: case 24:
        break;
    case 16: case 32:
        if (!core)
            break;
        [[fallthrough]];
    default:
        throw EInvalidGraphic(QStringLiteral("Unsupported bitmap bit count (%1).").arg(header.bitCount));
    }
    CheckCompression(header, os2);
    CheckPictureSize(header.width, header.height);

    // Bit field masks stand after a 40-byte header; longer headers hold them.
    size_t tableStart = infoStart + headerSize;
    if (header.compression == biBitfields || header.compression == biAlphaBitfields) {
        if (headerSize == kInfoHeaderSize) {
            ByteReader masks = reader.Sub(tableStart, header.compression == biAlphaBitfields ? 16 : 12);
            header.redMask = masks.U32LE(), header.greenMask = masks.U32LE(), header.blueMask = masks.U32LE();
            header.alphaMask = header.compression == biAlphaBitfields ? masks.U32LE() : 0;
            tableStart += masks.Size();
        }
        // With a 52-byte header there is no alpha mask; 56 and longer carry
        // one, which plain bit fields use too. Masks that select no colour at
        // all are a writer's slip: the default layout is what it meant.
        if ((header.redMask | header.greenMask | header.blueMask) == 0)
            UseDefaultMasks(header);
    } else if (header.bitCount == 16 || header.bitCount == 32) {
        UseDefaultMasks(header);
    }

    // The colour table: three bytes an entry after an OS/2 1.x header, four
    // otherwise. Up to 8 bits it has colorsUsed entries (0 meaning all);
    // deeper bitmaps may carry one that nobody needs.
    const size_t entrySize = core ? 3 : 4;
    if (colorsUsed > (int64_t(1) << 24))
        Invalid();
    const int64_t fullTable = header.bitCount <= 8 ? int64_t(1) << header.bitCount : 0;
    int64_t entries = colorsUsed > 0 ? colorsUsed : fullTable;
    size_t pixelOffset = tableStart + size_t(entries) * entrySize;
    if (fileOffset != 0 && fileOffset >= tableStart) {
        // The file header says where the pixels start; a table that would run
        // into them is cut there.
        pixelOffset = fileOffset;
        entries = std::min<int64_t>(entries, int64_t(fileOffset - tableStart) / int64_t(entrySize));
    }
    if (pixelOffset > size_t(data.size()))
        throw EReadError();
    if (header.bitCount <= 8) {
        header.colorTable.fill(qRgb(0, 0, 0), fullTable);
        ByteReader table = reader.Sub(tableStart, size_t(std::min(entries, fullTable)) * entrySize);
        for (QRgb &color : header.colorTable) {
            if (table.AtEnd())
                break;
            const uint8_t blue = table.U8(), green = table.U8(), red = table.U8();
            if (!core)
                table.Skip(1);
            color = qRgb(red, green, blue);
        }
    }
    header.pixelOffset = pixelOffset;
    return header;
}
