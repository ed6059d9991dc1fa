#include "imaging/decoders/TIFFImageReader.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/CCITTFax3Decoder.h"
#include "imaging/decoders/CCITTFax4Decoder.h"
#include "imaging/decoders/CCITTMHDecoder.h"
#include "imaging/decoders/LZ77Decoder.h"
#include "imaging/decoders/PackedDataLimits.h"
#include "imaging/decoders/PackbitsRLEDecoder.h"
#include "imaging/decoders/ThunderDecoder.h"
#include "imaging/decoders/TIFFJPEGDecoder.h"
#include "imaging/decoders/TIFFLZWDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace {

enum Tag : uint16_t {
    ImageWidth = 256, ImageLength = 257, BitsPerSample = 258, Compression = 259,
    PhotometricInterpretation = 262, FillOrder = 266, StripOffsets = 273, Orientation = 274,
    SamplesPerPixel = 277, RowsPerStrip = 278, StripByteCounts = 279, PlanarConfiguration = 284,
    T4Options = 292, Predictor = 317, ColorMap = 320, TileWidth = 322, TileLength = 323,
    TileOffsets = 324, TileByteCounts = 325, InkSet = 332, ExtraSamples = 338, SampleFormat = 339,
    JPEGTables = 347,
};

enum CompressionScheme : uint32_t {
    None = 1, CCITTModifiedHuffman = 2, CCITTGroup3 = 3, CCITTGroup4 = 4, LZW = 5, OldJPEG = 6,
    JPEG = 7, Deflate = 8, PackBits = 32773, ThunderScan = 32809, DeflateOld = 32946,
};

// The most bytes that a strip or tile of packed bytes can unpack to, for
// rows of rowBytes: a generous bound for each scheme. A fax or JPEG row can
// take a single bit (a fax row like the one above it, an 8-row band of
// blocks that change nothing).
uint64_t MostUnpackedBytes(uint32_t compression, uint64_t packed, uint64_t rowBytes)
{
    // Packed data lies inside the file, so it is below 2^40 bytes, and a row
    // of the picture limits below 2^22: no product here overflows.
    switch (compression) {
    case None:
        return packed;
    case PackBits:
        return packed / 2 * 128 + 128;
    case LZW:
        return MostLZWOutput(size_t(packed), 9);
    case Deflate:
    case DeflateOld:
        return packed * kMostDeflateRatio;
    case ThunderScan:
        return packed * 32; // a run byte repeats its pixel up to 63 times, two pixels a byte
    default:
        return packed * 8 * 8 * rowBytes;
    }
}

// Largest decoded strip or tile held at once; a bigger one is refused rather
// than allocated.
constexpr uint64_t kMaxChunkBytes = uint64_t(1) << 30;

const std::array<uint8_t, 256> &BitReversal()
{
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned r = 0;
            for (unsigned b = 0; b < 8; ++b)
                r |= ((i >> b) & 1) << (7 - b);
            t[i] = uint8_t(r);
        }
        return t;
    }();
    return table;
}

// 16 to 8 bits, rounded to the nearest (v / 257 without a division, as
// ImageMagick and Qt round it).
inline uint8_t Div257(unsigned v) { return uint8_t(((v + 128) - ((v + 128) >> 8)) >> 8); }
// Colour map levels 0..65535 to 0..255: the high byte, as TIFF readers
// take it. Writers store a level either as value x 257 or as value x 256
// (0xFF00 for full red); the high byte gives the value for both, where
// scaling by 255 / 65535 turned 0xFF00 into 254.
inline int PaletteLevel(uint32_t v) { return int((v & 0xFFFF) >> 8); }
inline uint8_t Mul255(unsigned a, unsigned b) { return uint8_t((a * b + 127) / 255); }

uint64_t RoundUp(uint64_t value, uint64_t step) { return (value + step - 1) / step * step; }

} // namespace

TTIFFGraphic::ImageReader::ImageReader(std::span<const uint8_t> file, const char *formatName)
    : m_file(file), m_formatName(formatName), m_directory(file, formatName)
{
}

void TTIFFGraphic::ImageReader::FormatError() const { TTIFFGraphic::FormatError(m_formatName); }
void TTIFFGraphic::ImageReader::ColorFormatError() const { TTIFFGraphic::ColorFormatError(m_formatName); }

QImage TTIFFGraphic::ImageReader::Read()
{
    ReadFormat();
    ReadLayout();
    CreateBitmap();
    DecodeChunks();
    ApplyOrientation();
    return m_image;
}

void TTIFFGraphic::ImageReader::ReadFormat()
{
    const TIFFDirectory &d = m_directory;
    m_width = d.Value(ImageWidth, 0);
    m_height = d.Value(ImageLength, 0);
    if (m_width == 0 || m_height == 0)
        FormatError();
    CheckPictureSize(m_width, m_height);

    m_compression = d.Value(Compression, None);
    switch (m_compression) {
    case None: case CCITTModifiedHuffman: case CCITTGroup3: case CCITTGroup4: case LZW: case JPEG:
    case Deflate: case DeflateOld: case PackBits: case ThunderScan:
        break;
    default: // old-style JPEG and schemes this reader does not know
        FormatError();
    }
    const bool fax = m_compression == CCITTModifiedHuffman || m_compression == CCITTGroup3 ||
                     m_compression == CCITTGroup4;

    m_samples = d.Value(SamplesPerPixel, 1);
    if (m_samples == 0 || m_samples > 16)
        ColorFormatError();
    const std::vector<uint32_t> bits = d.Values(BitsPerSample);
    m_bits = bits.empty() ? 1 : bits[0];
    for (size_t i = 1; i < std::min<size_t>(bits.size(), m_samples); ++i)
        if (bits[i] != m_bits)
            ColorFormatError();
    if (m_bits != 1 && m_bits != 2 && m_bits != 4 && m_bits != 8 && m_bits != 16)
        ColorFormatError();
    for (uint32_t format : d.Values(SampleFormat))
        if (format != 1 && format != 4)
            ColorFormatError();

    m_photometric = d.Value(PhotometricInterpretation, fax ? 0 : m_samples >= 3 ? 2 : 1);
    const std::vector<uint32_t> extra = d.Values(ExtraSamples);
    const uint32_t extraKind = extra.empty() ? 0 : extra[0];
    switch (m_photometric) {
    case 0:
    case 1:
        m_colorSamples = 1;
        m_invert = m_photometric == 0;
        m_model = m_bits == 1 && m_samples == 1 ? Model::Mono : Model::Grey;
        break;
    case 2:
        m_colorSamples = 3;
        m_model = Model::RGB;
        break;
    case 3:
        m_colorSamples = 1;
        m_model = Model::Palette;
        if (m_bits > 8)
            ColorFormatError();
        m_colorMap = d.Values(ColorMap);
        if (m_colorMap.size() < size_t(3) << m_bits)
            ColorFormatError();
        break;
    case 5:
        if (d.Value(InkSet, 1) != 1)
            ColorFormatError();
        m_colorSamples = 4;
        m_model = Model::CMYK;
        break;
    case 6: // YCbCr: as the JPEG data gives it
        if (m_compression != JPEG)
            ColorFormatError();
        m_colorSamples = 3;
        m_model = Model::RGB;
        break;
    default:
        ColorFormatError();
    }
    if (m_samples < m_colorSamples)
        ColorFormatError();
    if ((extraKind == 1 || extraKind == 2) && m_samples > m_colorSamples &&
        (m_model == Model::Grey || m_model == Model::RGB) && m_compression != JPEG) {
        m_alpha = true;
        m_associatedAlpha = extraKind == 1;
        m_model = m_model == Model::Grey ? Model::GreyAlpha : Model::RGBA;
    }

    const uint32_t planar = m_samples > 1 ? d.Value(PlanarConfiguration, 1) : 1;
    if (planar != 1 && planar != 2)
        FormatError();
    m_planar = planar == 2;

    const uint32_t predictor = d.Value(Predictor, 1);
    if (predictor == 2 && (m_bits == 8 || m_bits == 16))
        m_predictor = m_compression != JPEG;
    else if (predictor != 1 && predictor != 2)
        ColorFormatError();

    if (fax && (m_bits != 1 || m_samples != 1))
        ColorFormatError();
    if (m_compression == ThunderScan && (m_bits != 4 || m_samples != 1))
        ColorFormatError();
    if (m_compression == JPEG && (m_bits != 8 || (m_samples != 1 && m_samples != 3 && m_samples != 4)))
        ColorFormatError();

    // FillOrder 2 stores the bits of each byte least significant first,
    // whatever the compression (writers reverse zlib data too); JPEG data
    // is left as it is.
    m_reverseBits = d.Value(FillOrder, 1) == 2 && m_compression != JPEG;
    m_orientation = d.Value(Tag::Orientation, 1);
}

void TTIFFGraphic::ImageReader::ReadLayout()
{
    const TIFFDirectory &d = m_directory;
    m_tiled = d.Has(TileWidth) || d.Has(TileOffsets);
    if (m_tiled) {
        m_chunkWidth = d.Value(TileWidth, 0);
        m_chunkHeight = d.Value(TileLength, 0);
        // Tiles larger than the picture (rounded up) are only allowed up to a
        // modest size, so that a tiny file cannot demand a huge buffer.
        if (m_chunkWidth == 0 || m_chunkHeight == 0 ||
            m_chunkWidth > std::max<uint64_t>(RoundUp(m_width, 16), 1024) ||
            m_chunkHeight > std::max<uint64_t>(RoundUp(m_height, 16), 1024))
            FormatError();
        m_offsets = d.Values(TileOffsets);
        m_counts = d.Values(TileByteCounts);
    } else {
        uint64_t rows = d.Value(RowsPerStrip, m_height);
        if (rows == 0 || rows > m_height)
            rows = m_height;
        m_chunkWidth = m_width;
        m_chunkHeight = rows;
        m_offsets = d.Values(StripOffsets);
        m_counts = d.Values(StripByteCounts);
    }
    m_across = (m_width + m_chunkWidth - 1) / m_chunkWidth;
    m_down = (m_height + m_chunkHeight - 1) / m_chunkHeight;
    const uint64_t planes = m_planar ? m_samples : 1;
    const uint64_t chunks = m_across * m_down * planes;
    if (m_offsets.size() < chunks)
        FormatError();
    if (m_counts.size() < chunks) {
        // Only an uncompressed file may leave out its byte counts: each strip
        // then runs as far as its rows go (or the file ends).
        if (!m_counts.empty() || m_compression != None)
            FormatError();
        m_countsMissing = true;
    }

    m_chunkSamples = m_planar ? 1 : m_samples;
    if (m_compression == JPEG && m_photometric == 6 && !m_planar)
        m_chunkSamples = 3;
    m_chunkRowBytes = (m_chunkWidth * m_chunkSamples * m_bits + 7) / 8;
    if (m_chunkRowBytes * m_chunkHeight > kMaxChunkBytes)
        FormatError();

    if (m_planar) {
        for (unsigned plane = 0; plane < m_colorSamples + (m_alpha ? 1u : 0u); ++plane)
            m_usedPlanes.push_back(plane);
    } else {
        m_usedPlanes.push_back(0);
    }

    // Every strip or tile must lie inside the file before the bitmap is
    // made: data beyond the end means the file ends early.
    if (!m_countsMissing) {
        const uint64_t perPlane = m_across * m_down;
        for (unsigned plane : m_usedPlanes)
            for (uint64_t i = 0; i < perPlane; ++i) {
                const uint64_t offset = m_offsets[plane * perPlane + i], count = m_counts[plane * perPlane + i];
                if (offset != 0 && count != 0)
                    m_file.Sub(size_t(offset), size_t(count));
            }
    }

    // Strips that end early leave their rows zero, so a damaged file still
    // shows what it holds; but data that could not fill even a sixteenth of
    // the picture is no picture of that size: a small file that declares a
    // large picture must not decide how much memory is taken.
    constexpr uint64_t kLeastPart = 16;
    const uint64_t perPlane = m_across * m_down;
    const uint64_t needed = (m_tiled ? perPlane * m_chunkHeight : m_height) * m_chunkRowBytes * m_usedPlanes.size();
    uint64_t most = 0;
    for (unsigned plane : m_usedPlanes)
        for (uint64_t i = 0; i < perPlane && most * kLeastPart < needed; ++i) {
            const uint64_t offset = m_offsets[plane * perPlane + i];
            if (offset == 0 || offset >= m_file.Size())
                continue;
            const uint64_t count = m_countsMissing ? m_file.Size() - offset : m_counts[plane * perPlane + i];
            most += MostUnpackedBytes(m_compression, count, m_chunkRowBytes);
        }
    if (most * kLeastPart < needed)
        throw EReadError();
}

void TTIFFGraphic::ImageReader::CreateBitmap()
{
    // Colour comes out in the working format (blue, green, red), so that
    // picture loading has nothing left to convert.
    QImage::Format format = QImage::Format_BGR888;
    switch (m_model) {
    case Model::Mono: format = QImage::Format_Mono; break;
    case Model::Grey: format = QImage::Format_Grayscale8; break;
    case Model::Palette: format = QImage::Format_Indexed8; break;
    case Model::RGB: case Model::CMYK: format = QImage::Format_BGR888; break;
    case Model::GreyAlpha: case Model::RGBA:
        format = m_associatedAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32;
        break;
    }
    m_image = ZeroedBitmap(format, m_width, m_height);
    m_touched.assign(m_height, 0);
    if (m_model == Model::Mono) {
        const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
        m_image.setColorTable(m_invert ? QList<QRgb>{white, black} : QList<QRgb>{black, white});
    } else if (m_model == Model::Palette) {
        const size_t entries = size_t(1) << m_bits;
        QList<QRgb> table(qsizetype(entries), 0);
        for (size_t i = 0; i < entries; ++i)
            table[qsizetype(i)] = qRgb(PaletteLevel(m_colorMap[i]), PaletteLevel(m_colorMap[entries + i]),
                                       PaletteLevel(m_colorMap[2 * entries + i]));
        m_image.setColorTable(table);
    }
    if (m_planar) {
        m_planes.reset(static_cast<uint8_t *>(std::calloc(size_t(m_width) * m_height, m_usedPlanes.size())));
        if (!m_planes)
            NewBitmap(int64_t(m_width) * int64_t(m_usedPlanes.size()), m_height, QImage::Format_Grayscale8);
    }
}

QImage TTIFFGraphic::ImageReader::ZeroedBitmap(QImage::Format format, uint32_t width, uint32_t height) const
{
    // Zeroed memory from calloc: pages that no strip reaches are never
    // touched, so a file that declares a large picture and holds little
    // data stays cheap. Without it, the family's helper fails cleanly.
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const size_t bytesPerLine = (size_t(width) * size_t(depth) + 31) / 32 * 4;
    void *memory = std::calloc(height, bytesPerLine);
    if (!memory) {
        QImage image = NewBitmap(width, height, format);
        image.fill(0);
        return image;
    }
    return QImage(static_cast<uchar *>(memory), int(width), int(height), qsizetype(bytesPerLine), format, std::free,
                  memory);
}

std::unique_ptr<TDecoder> TTIFFGraphic::ImageReader::MakeDecoder() const
{
    const uint32_t width = uint32_t(m_chunkWidth);
    switch (m_compression) {
    case CCITTModifiedHuffman:
        return std::make_unique<TCCITTMHDecoder>(width);
    case CCITTGroup3:
        return std::make_unique<TCCITTFax3Decoder>(width, m_directory.Value(T4Options, 0));
    case CCITTGroup4:
        return std::make_unique<TCCITTFax4Decoder>(width);
    case LZW:
        return std::make_unique<TTIFFLZWDecoder>();
    case Deflate:
    case DeflateOld:
        return std::make_unique<TLZ77Decoder>(Z_SYNC_FLUSH, true);
    case PackBits:
        return std::make_unique<TPackbitsRLEDecoder>();
    case ThunderScan:
        return std::make_unique<TThunderDecoder>(width);
    case JPEG: {
        using Space = TTIFFJPEGDecoder::ColorSpace;
        Space space = Space::Grey;
        if (!m_planar) {
            if (m_photometric == 6)
                space = Space::YCbCr;
            else if (m_photometric == 2)
                space = Space::RGB;
            else if (m_photometric == 5)
                space = Space::CMYK;
        }
        const auto tables = m_directory.Bytes(JPEGTables);
        auto decoder = std::make_unique<TTIFFJPEGDecoder>(std::vector<uint8_t>(tables.begin(), tables.end()), space,
                                                          width);
        if (unsigned(decoder->Components()) != m_chunkSamples)
            ColorFormatError();
        return decoder;
    }
    default:
        return nullptr;
    }
}

void TTIFFGraphic::ImageReader::DecodeChunks()
{
    std::unique_ptr<TDecoder> decoder = MakeDecoder();
    if (decoder)
        decoder->Start();
    const uint64_t perPlane = m_across * m_down;
    std::vector<uint8_t> reversed;
    // Strips whose rows are laid out as the bitmap's are decoded straight
    // into it (8-bit grey, palette and RGB, bilevel).
    const bool direct = !m_tiled && !m_planar && m_chunkWidth == m_width &&
                        m_chunkRowBytes == uint64_t(m_image.bytesPerLine()) &&
                        (m_model == Model::Mono || (m_bits == 8 && (m_model == Model::Grey || m_model == Model::Palette ||
                                                                    (m_model == Model::RGB && m_chunkSamples == 3))));
    for (unsigned plane : m_usedPlanes) {
        for (uint64_t i = 0; i < perPlane; ++i) {
            const uint64_t index = plane * perPlane + i;
            const uint64_t x0 = (i % m_across) * m_chunkWidth;
            const uint64_t y0 = (i / m_across) * m_chunkHeight;
            const uint64_t rows = m_tiled ? m_chunkHeight : std::min<uint64_t>(m_chunkHeight, m_height - y0);
            const size_t wanted = size_t(rows * m_chunkRowBytes);
            const uint64_t offset = m_offsets[index];
            uint64_t count = m_countsMissing ? wanted : m_counts[index];
            if (m_countsMissing && offset <= m_file.Size())
                count = std::min<uint64_t>(count, m_file.Size() - offset);
            if (count == 0 || offset == 0)
                continue; // no data: the rows stay as they are
            // Data that lies beyond the end of the file means the file ends
            // early: that is a read error, not a short strip.
            std::span<const uint8_t> packed = m_file.Sub(size_t(offset), size_t(count)).Rest();
            if (m_reverseBits) {
                const auto &table = BitReversal();
                reversed.resize(packed.size());
                for (size_t b = 0; b < packed.size(); ++b)
                    reversed[b] = table[packed[b]];
                packed = reversed;
            }
            if (direct) {
                DecodeIntoBitmap(decoder.get(), packed, y0, wanted);
                continue;
            }
            // Only the rows the data reaches are worked on: the bitmap is
            // already zero elsewhere, so a file that declares a huge picture
            // but holds little costs little.
            const uint8_t *data;
            size_t written;
            if (!decoder && !m_predictor) {
                data = packed.data(); // uncompressed: read in place
                written = std::min(packed.size(), wanted);
                if (written < wanted) {
                    EnsureChunk(wanted);
                    std::memcpy(m_chunk.get(), packed.data(), written);
                    data = m_chunk.get();
                }
            } else {
                EnsureChunk(wanted);
                if (decoder) {
                    written = std::min(decoder->Decode(packed, {m_chunk.get(), wanted}, wanted), wanted);
                } else {
                    written = std::min(packed.size(), wanted);
                    std::memcpy(m_chunk.get(), packed.data(), written);
                }
                data = m_chunk.get();
            }
            const size_t rowsWritten = size_t((written + m_chunkRowBytes - 1) / m_chunkRowBytes);
            if (data == m_chunk.get())
                std::memset(m_chunk.get() + written, 0, rowsWritten * size_t(m_chunkRowBytes) - written);
            if (m_predictor)
                UndoPredictor(m_chunk.get(), rowsWritten);
            PlaceChunk(data, rowsWritten, x0, y0, plane);
        }
    }
    if (decoder)
        decoder->Finish();
    if (m_planar) {
        const size_t stride = m_usedPlanes.size();
        for (uint32_t y = 0; y < m_height; ++y)
            if (m_touched[y])
                PutPixels(int(y), 0, int(m_width), m_planes.get() + size_t(y) * m_width * stride, int(stride));
        m_planes.reset();
    }
}

void TTIFFGraphic::ImageReader::DecodeIntoBitmap(TDecoder *decoder, std::span<const uint8_t> packed, uint64_t y0,
                                                 size_t wanted)
{
    uint8_t *target = m_image.bits() + size_t(y0) * size_t(m_image.bytesPerLine());
    size_t written;
    if (decoder) {
        written = std::min(decoder->Decode(packed, {target, wanted}, wanted), wanted);
    } else {
        written = std::min(packed.size(), wanted);
        std::memcpy(target, packed.data(), written);
    }
    const size_t rows = size_t((written + m_chunkRowBytes - 1) / m_chunkRowBytes);
    std::fill_n(m_touched.begin() + ptrdiff_t(y0), rows, uint8_t(1));
    if (m_predictor)
        UndoPredictor(target, rows);
    const size_t rowBytes = size_t(m_chunkRowBytes);
    if (m_model == Model::RGB) {
        for (size_t r = 0; r < rows; ++r) {
            uint8_t *p = target + r * rowBytes;
            for (uint32_t x = 0; x < m_width; ++x, p += 3)
                std::swap(p[0], p[2]);
        }
    } else if (m_model == Model::Grey && m_invert) {
        for (size_t i = 0; i < rows * rowBytes; ++i)
            target[i] = uint8_t(~target[i]);
    }
}

void TTIFFGraphic::ImageReader::EnsureChunk(size_t bytes)
{
    // Not cleared: the decoders write from the start on and only what they
    // wrote is used, so pages the data never reaches are never touched.
    if (m_chunkCapacity < bytes) {
        m_chunk.reset();
        m_chunk = std::make_unique_for_overwrite<uint8_t[]>(bytes);
        m_chunkCapacity = bytes;
    }
}

void TTIFFGraphic::ImageReader::UndoPredictor(uint8_t *data, size_t rows) const
{
    const size_t samples = size_t(m_chunkWidth) * m_chunkSamples;
    const size_t step = m_chunkSamples;
    for (size_t r = 0; r < rows; ++r) {
        uint8_t *row = data + r * m_chunkRowBytes;
        if (m_bits == 8) {
            for (size_t i = step; i < samples; ++i)
                row[i] = uint8_t(row[i] + row[i - step]);
        } else {
            const bool bigEndian = m_directory.BigEndian();
            auto get = [&](size_t i) {
                return bigEndian ? unsigned(row[2 * i] << 8 | row[2 * i + 1]) : unsigned(row[2 * i] | row[2 * i + 1] << 8);
            };
            for (size_t i = step; i < samples; ++i) {
                const unsigned v = (get(i) + get(i - step)) & 0xFFFF;
                if (bigEndian) {
                    row[2 * i] = uint8_t(v >> 8);
                    row[2 * i + 1] = uint8_t(v);
                } else {
                    row[2 * i] = uint8_t(v);
                    row[2 * i + 1] = uint8_t(v >> 8);
                }
            }
        }
    }
}

void TTIFFGraphic::ImageReader::PlaceChunk(const uint8_t *data, size_t rows, uint64_t x0, uint64_t y0, unsigned plane)
{
    if (x0 >= m_width)
        return;
    const size_t count = size_t(std::min<uint64_t>(m_chunkWidth, m_width - x0));
    for (size_t r = 0; r < rows && y0 + r < m_height; ++r) {
        const uint8_t *row = data + r * m_chunkRowBytes;
        const int y = int(y0 + r);
        if (m_model == Model::Mono) {
            PlaceMonoRow(row, y, x0, count);
            continue;
        }
        const uint8_t *samples = Samples8(row, count * m_chunkSamples);
        if (m_planar) {
            const size_t stride = m_usedPlanes.size();
            uint8_t *out = m_planes.get() + (size_t(y) * m_width + x0) * stride + plane;
            m_touched[size_t(y)] = 1;
            for (size_t x = 0; x < count; ++x)
                out[x * stride] = samples[x];
        } else {
            PutPixels(y, int(x0), int(count), samples, int(m_chunkSamples));
        }
    }
}

void TTIFFGraphic::ImageReader::PlaceMonoRow(const uint8_t *row, int y, uint64_t x0, size_t count)
{
    m_touched[size_t(y)] = 1;
    uint8_t *out = m_image.scanLine(y);
    if (x0 % 8 == 0) {
        uint8_t *target = out + x0 / 8;
        std::memcpy(target, row, count / 8);
        if (count % 8) {
            const uint8_t mask = uint8_t(0xFF00 >> (count % 8));
            target[count / 8] = uint8_t((target[count / 8] & ~mask) | (row[count / 8] & mask));
        }
        return;
    }
    for (size_t x = 0; x < count; ++x) {
        const uint64_t to = x0 + x;
        const uint8_t bit = uint8_t(0x80 >> (to & 7));
        if (row[x >> 3] & (0x80 >> (x & 7)))
            out[to >> 3] |= bit;
        else
            out[to >> 3] &= uint8_t(~bit);
    }
}

const uint8_t *TTIFFGraphic::ImageReader::Samples8(const uint8_t *row, size_t count)
{
    if (m_bits == 8)
        return row;
    if (m_row8.size() < count)
        m_row8.resize(count);
    uint8_t *out = m_row8.data();
    if (m_bits == 16) {
        const int high = m_directory.BigEndian() ? 0 : 1;
        for (size_t i = 0; i < count; ++i)
            out[i] = Div257(unsigned(row[2 * i + high]) << 8 | row[2 * i + 1 - high]);
        return out;
    }
    // 1, 2 or 4 bits, most significant first; palette indices stay as
    // they are, other samples are scaled to 0..255.
    const unsigned bits = m_bits;
    const unsigned mask = (1u << bits) - 1;
    const unsigned scale = m_model == Model::Palette ? 1 : 255 / mask;
    for (size_t i = 0; i < count; ++i) {
        const size_t bit = i * bits;
        const unsigned value = (row[bit >> 3] >> (8 - bits - (bit & 7))) & mask;
        out[i] = uint8_t(value * scale);
    }
    return out;
}

void TTIFFGraphic::ImageReader::PutPixels(int y, int x0, int count, const uint8_t *s, int stride)
{
    m_touched[size_t(y)] = 1;
    uchar *line = m_image.scanLine(y);
    const int a = int(m_colorSamples); // the alpha sample follows the colour samples
    switch (m_model) {
    case Model::Mono:
        break;
    case Model::Grey:
    case Model::Palette: {
        uint8_t *out = line + x0;
        const uint8_t flip = m_invert ? 0xFF : 0;
        if (stride == 1 && !flip) {
            std::memcpy(out, s, size_t(count));
            break;
        }
        for (int x = 0; x < count; ++x)
            out[x] = s[x * stride] ^ flip;
        break;
    }
    case Model::RGB: {
        uint8_t *out = line + 3 * x0;
        for (int x = 0; x < count; ++x, s += stride, out += 3)
            out[0] = s[2], out[1] = s[1], out[2] = s[0];
        break;
    }
    case Model::CMYK: {
        uint8_t *out = line + 3 * x0;
        for (int x = 0; x < count; ++x, s += stride, out += 3) {
            const unsigned k = 255u - s[3];
            out[2] = Mul255(255u - s[0], k);
            out[1] = Mul255(255u - s[1], k);
            out[0] = Mul255(255u - s[2], k);
        }
        break;
    }
    case Model::GreyAlpha: {
        QRgb *out = reinterpret_cast<QRgb *>(line) + x0;
        const uint8_t flip = m_invert ? 0xFF : 0;
        for (int x = 0; x < count; ++x, s += stride) {
            const unsigned alpha = s[a];
            unsigned grey = s[0] ^ flip;
            if (m_associatedAlpha)
                grey = std::min(grey, alpha);
            out[x] = qRgba(int(grey), int(grey), int(grey), int(alpha));
        }
        break;
    }
    case Model::RGBA: {
        QRgb *out = reinterpret_cast<QRgb *>(line) + x0;
        for (int x = 0; x < count; ++x, s += stride) {
            const unsigned alpha = s[a];
            unsigned r = s[0], g = s[1], b = s[2];
            if (m_associatedAlpha)
                r = std::min(r, alpha), g = std::min(g, alpha), b = std::min(b, alpha);
            out[x] = qRgba(int(r), int(g), int(b), int(alpha));
        }
        break;
    }
    }
}

void TTIFFGraphic::ImageReader::ApplyOrientation()
{
    switch (m_orientation) {
    case 2: m_image = m_image.mirrored(true, false); return;
    case 3: m_image = m_image.mirrored(true, true); return;
    case 4: m_image = m_image.mirrored(false, true); return;
    case 5: case 6: case 7: case 8: break;
    default: return;
    }
    if (m_image.depth() < 8) {
        // Bilevel pictures turned on their side are rare: the general
        // transformation serves them.
        QTransform turn;
        turn.rotate(m_orientation == 5 || m_orientation == 6 ? 90 : -90);
        m_image = m_image.transformed(turn);
        if (m_orientation == 5 || m_orientation == 7)
            m_image = m_image.mirrored(true, false);
        return;
    }
    // Rows become columns: pixel (x, y) of the result is the stored pixel
    // (sx, sy). Only stored rows that hold data are copied; the rest of the
    // result is zero already.
    const uint32_t width = m_width, height = m_height;
    QImage turned = ZeroedBitmap(m_image.format(), height, width);
    turned.setColorTable(m_image.colorTable());
    const size_t pixel = size_t(m_image.depth() / 8);
    for (uint32_t sy = 0; sy < height; ++sy) {
        if (!m_touched[sy])
            continue;
        const uchar *in = m_image.constScanLine(int(sy));
        // Stored row sy becomes result column x; stored column sx becomes
        // result row y (5: x = sy, y = sx; 6: x = H-1-sy, y = sx; 7: x =
        // H-1-sy, y = W-1-sx; 8: x = sy, y = W-1-sx).
        const uint32_t x = m_orientation == 5 || m_orientation == 8 ? sy : height - 1 - sy;
        const bool reversed = m_orientation == 7 || m_orientation == 8;
        for (uint32_t sx = 0; sx < width; ++sx) {
            const uint32_t y = reversed ? width - 1 - sx : sx;
            std::memcpy(turned.scanLine(int(y)) + size_t(x) * pixel, in + size_t(sx) * pixel, pixel);
        }
    }
    m_image = turned;
}
