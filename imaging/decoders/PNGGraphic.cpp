#include "imaging/decoders/PNGGraphic.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/LZ77Decoder.h"
#include "imaging/decoders/PNGChunkReader.h"
#include "imaging/decoders/PNGScanlines.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr const char *kFormatName = "PNG";
constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kIHDR = PNGChunkType("IHDR");
constexpr uint32_t kPLTE = PNGChunkType("PLTE");
constexpr uint32_t kIDAT = PNGChunkType("IDAT");
constexpr uint32_t kIEND = PNGChunkType("IEND");
constexpr uint32_t kTRNS = PNGChunkType("tRNS");

bool ValidDepth(int colourType, int depth)
{
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

// The inflated image data, taken piece by piece across consecutive IDAT
// chunks.
class PNGImageData
{
public:
    PNGImageData(PNGChunkReader &chunks, std::span<const uint8_t> firstChunk)
        : m_chunks(chunks), m_current(firstChunk), m_inflate(Z_NO_FLUSH, false)
    {
        m_inflate.Start();
    }

    // Fills dest; false when the image data ends first. Damaged deflate data
    // fails with "LZ77 decompression error.".
    bool Read(std::span<uint8_t> dest)
    {
        size_t filled = 0;
        while (filled < dest.size()) {
            if (m_current.empty()) {
                if (m_inflate.StreamEnded())
                    return false;
                const PNGChunk next = m_chunks.Next();
                if (next.type != kIDAT)
                    return false;
                m_current = next.data;
                continue;
            }
            const size_t before = m_current.size();
            const size_t made = m_inflate.Decode(m_current, dest.subspan(filled), dest.size() - filled);
            filled += made;
            if (m_inflate.DataError())
                m_inflate.Finish(); // reports the damage
            if (filled < dest.size() && (m_inflate.StreamEnded() || (made == 0 && m_current.size() == before)))
                return false;
        }
        return true;
    }

private:
    PNGChunkReader &m_chunks;
    std::span<const uint8_t> m_current;
    TLZ77Decoder m_inflate;
};

struct InterlacePass
{
    int x0, y0, dx, dy;
};

constexpr InterlacePass kWholeImage[] = {{0, 0, 1, 1}};
constexpr InterlacePass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

size_t OutputBytesPerPixel(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Indexed8:
        return 1;
    case QImage::Format_BGR888:
        return 3;
    default:
        return 4;
    }
}

} // namespace

const TGraphicClass &TPNGGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPNGGraphic", [] { return std::unique_ptr<TGraphic>(new TPNGGraphic); }};
    return cls;
}

void TPNGGraphic::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = QImage();
    ByteReader reader(data);
    if (std::memcmp(reader.Bytes(sizeof kSignature).data(), kSignature, sizeof kSignature) != 0)
        FormatError(kFormatName);
    PNGChunkReader chunks(reader);

    const PNGChunk header = chunks.Next();
    if (header.type != kIHDR || header.data.size() != 13)
        FormatError(kFormatName);
    ByteReader fields(header.data);
    const uint32_t width = fields.U32BE(), height = fields.U32BE();
    PNGPixelLayout layout;
    layout.bitDepth = fields.U8();
    layout.colourType = fields.U8();
    const uint8_t compression = fields.U8(), filterMethod = fields.U8(), interlace = fields.U8();
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu || compression != 0
        || filterMethod != 0 || interlace > 1)
        FormatError(kFormatName);
    if (!ValidDepth(layout.colourType, layout.bitDepth))
        ColorFormatError(kFormatName);
    CheckPictureSize(width, height);

    QList<QRgb> palette(256, qRgb(0, 0, 0));
    std::array<uint8_t, 256> paletteAlpha;
    paletteAlpha.fill(255);
    bool havePalette = false;
    PNGChunk chunk;
    for (;;) {
        chunk = chunks.Next();
        if (chunk.type == kIDAT)
            break;
        if (chunk.type == kIEND || chunk.type == kIHDR)
            FormatError(kFormatName);
        if (chunk.type == kPLTE) {
            const size_t entries = chunk.data.size() / 3;
            if (chunk.data.size() % 3 != 0 || entries == 0 || entries > 256 || havePalette)
                FormatError(kFormatName);
            for (size_t i = 0; i < entries; ++i)
                palette[qsizetype(i)] = qRgb(chunk.data[3 * i], chunk.data[3 * i + 1], chunk.data[3 * i + 2]);
            havePalette = true;
        } else if (chunk.type == kTRNS) {
            const std::span<const uint8_t> t = chunk.data;
            if (layout.colourType == 3) {
                for (size_t i = 0; i < std::min<size_t>(t.size(), 256); ++i)
                    paletteAlpha[i] = t[i];
            } else if (layout.colourType == 0 && t.size() >= 2) {
                layout.colourKey = true;
                layout.keyGrey = uint16_t(t[0] << 8 | t[1]);
            } else if (layout.colourType == 2 && t.size() >= 6) {
                layout.colourKey = true;
                layout.keyRed = uint16_t(t[0] << 8 | t[1]);
                layout.keyGreen = uint16_t(t[2] << 8 | t[3]);
                layout.keyBlue = uint16_t(t[4] << 8 | t[5]);
            }
        } else if (chunk.Critical()) {
            FormatError(kFormatName);
        }
    }
    if (layout.colourType == 3) {
        if (!havePalette)
            FormatError(kFormatName);
        for (int i = 0; i < 256; ++i) {
            palette[i] = qRgba(qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i]), paletteAlpha[size_t(i)]);
            layout.paletteAlpha = layout.paletteAlpha || paletteAlpha[size_t(i)] != 255;
        }
        layout.palette = palette;
    }

    const QImage::Format format = layout.OutputFormat();
    QImage bitmap = NewBitmap(width, height, format);
    if (format == QImage::Format_Indexed8)
        bitmap.setColorTable(palette);
    const size_t outBytes = OutputBytesPerPixel(format);
    const size_t bitsPerPixel = size_t(layout.BitsPerPixel());
    const size_t filterDistance = std::max<size_t>(1, bitsPerPixel / 8);
    const size_t widestRow = (size_t(width) * bitsPerPixel + 7) / 8;
    std::vector<uint8_t> rowBuffers(2 * (widestRow + 1));
    uint8_t *current = rowBuffers.data();
    uint8_t *prior = current + widestRow + 1;

    PNGImageData imageData(chunks, chunk.data);
    const std::span<const InterlacePass> passes = interlace ? std::span<const InterlacePass>(kAdam7)
                                                            : std::span<const InterlacePass>(kWholeImage);
    for (const InterlacePass &pass : passes) {
        if (uint32_t(pass.x0) >= width || uint32_t(pass.y0) >= height)
            continue;
        const size_t passWidth = (width - uint32_t(pass.x0) + uint32_t(pass.dx) - 1) / uint32_t(pass.dx);
        const size_t passHeight = (height - uint32_t(pass.y0) + uint32_t(pass.dy) - 1) / uint32_t(pass.dy);
        const size_t rowBytes = (passWidth * bitsPerPixel + 7) / 8;
        std::memset(prior, 0, rowBytes + 1);
        for (size_t r = 0; r < passHeight; ++r) {
            if (!imageData.Read(std::span<uint8_t>(current, rowBytes + 1)))
                FormatError(kFormatName);
            if (!UnfilterPNGRow(current[0], current + 1, prior + 1, rowBytes, filterDistance))
                FormatError(kFormatName);
            uchar *out = bitmap.scanLine(int(size_t(pass.y0) + r * size_t(pass.dy))) + size_t(pass.x0) * outBytes;
            ConvertPNGRow(layout, current + 1, passWidth, out, size_t(pass.dx) * outBytes);
            std::swap(current, prior);
        }
    }
    m_bitmap = std::move(bitmap);
}
