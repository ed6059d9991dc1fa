#include "imaging/decoders/SGIGraphic.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/SGIRLEDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr const char *kFormatName = "SGI";
constexpr uint16_t kMagic = 474;
constexpr size_t kHeaderSize = 512;

struct SGIHeader
{
    bool packed;
    int bytesPerSample;
    int64_t width;
    int64_t height;
    int64_t channels;   // as stored
    int usedChannels;   // the ones we read: 1 to 4
    uint32_t pixelMax;
};

// round(v * 255 / pixelMax), clamped: 16-bit samples to 8 bits.
class SampleScale
{
public:
    explicit SampleScale(uint32_t pixelMax) : m_max(pixelMax == 0 || pixelMax > 65535 ? 65535 : pixelMax) {}
    uint8_t operator()(uint32_t v) const
    {
        return v >= m_max ? 255 : uint8_t((v * 255 + m_max / 2) / m_max);
    }

private:
    uint32_t m_max;
};

} // namespace

const TGraphicClass &TSGIGraphic::StaticClass()
{
    static const TGraphicClass cls{"TSGIGraphic", [] { return std::unique_ptr<TGraphic>(new TSGIGraphic); }};
    return cls;
}

void TSGIGraphic::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = QImage();
    ByteReader reader(data);
    if (reader.U16BE() != kMagic)
        FormatError(kFormatName);
    SGIHeader h;
    const uint8_t storage = reader.U8();
    h.bytesPerSample = reader.U8();
    const uint16_t dimension = reader.U16BE();
    h.width = reader.U16BE();
    h.height = reader.U16BE();
    h.channels = reader.U16BE();
    reader.Skip(4); // smallest sample value
    h.pixelMax = reader.U32BE();
    reader.Seek(104);
    const uint32_t colourMap = reader.U32BE();
    if (storage > 1 || dimension < 1 || dimension > 3)
        FormatError(kFormatName);
    if ((h.bytesPerSample != 1 && h.bytesPerSample != 2) || colourMap != 0)
        ColorFormatError(kFormatName);
    h.packed = storage == 1;
    if (dimension == 1)
        h.height = 1;
    if (dimension < 3)
        h.channels = 1;
    if (h.channels < 1)
        FormatError(kFormatName);
    h.usedChannels = int(std::min<int64_t>(h.channels, 4));
    CheckPictureSize(h.width, h.height);

    const size_t width = size_t(h.width), height = size_t(h.height);
    const size_t rowBytes = width * size_t(h.bytesPerSample);
    const size_t channels = size_t(h.usedChannels);

    // The data is checked before the picture is allocated: the rows of every
    // channel read, or for packed files the offset and length tables of all
    // stored channels (each row's packed data must then lie inside the
    // file; rows may share data, and a row whose data ends early keeps 0 for
    // the rest). The rows go straight into the picture, one channel at a
    // time, so nothing but the picture is sized by the header.
    ByteReader starts, lengths, verbatim;
    if (h.packed) {
        const size_t tableEntries = height * size_t(h.channels);
        starts = reader.Sub(kHeaderSize, tableEntries * 4);
        lengths = reader.Sub(kHeaderSize + tableEntries * 4, tableEntries * 4);
    } else {
        verbatim = reader.Sub(kHeaderSize, rowBytes * height * channels);
    }

    const bool alpha = channels == 2 || channels == 4;
    const QImage::Format format =
        alpha ? QImage::Format_ARGB32 : channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_BGR888;
    QImage bitmap = NewBitmap(h.width, h.height, format);
    // Alpha pictures gather their channels bit by bit; the others have
    // every byte written by one channel.
    if (alpha)
        bitmap.fill(0);

    const SampleScale scale(h.pixelMax);
    TSGIRLEDecoder decoder(8 * h.bytesPerSample);
    std::vector<uint8_t> row(rowBytes);
    std::vector<uint8_t> scaled(h.bytesPerSample == 2 ? width : 0);
    for (size_t c = 0; c < channels; ++c) {
        // Where the channel goes: a byte of a BGR888 pixel, or the bits of a
        // QRgb (grey with alpha spreads its first channel over red, green
        // and blue).
        const size_t byteOfPixel = 2 - c;
        const int shift = channels == 2 ? (c == 0 ? -1 : 24) : c == 3 ? 24 : 16 - 8 * int(c);
        for (size_t y = 0; y < height; ++y) {
            const size_t entry = c * height + y;
            const uint8_t *samples = nullptr;
            if (h.packed) {
                ByteReader startField = starts.Sub(entry * 4, 4), lengthField = lengths.Sub(entry * 4, 4);
                const ByteReader packed = reader.Sub(startField.U32BE(), lengthField.U32BE());
                std::span<const uint8_t> source = packed.Rest();
                std::fill(row.begin(), row.end(), uint8_t(0));
                decoder.Decode(source, std::span<uint8_t>(row), rowBytes);
                samples = row.data();
            } else {
                samples = verbatim.Data() + entry * rowBytes;
            }
            // 16-bit samples are brought to 8 bits first.
            if (h.bytesPerSample == 2) {
                for (size_t x = 0; x < width; ++x)
                    scaled[x] = scale(uint32_t(samples[2 * x] << 8 | samples[2 * x + 1]));
                samples = scaled.data();
            }
            uchar *out = bitmap.scanLine(int(height - 1 - y));
            if (format == QImage::Format_Grayscale8) {
                std::memcpy(out, samples, width);
            } else if (format == QImage::Format_BGR888) {
                for (size_t x = 0; x < width; ++x)
                    out[3 * x + byteOfPixel] = samples[x];
            } else {
                QRgb *argb = reinterpret_cast<QRgb *>(out);
                for (size_t x = 0; x < width; ++x) {
                    const QRgb v = samples[x];
                    argb[x] |= shift < 0 ? v << 16 | v << 8 | v : v << shift;
                }
            }
        }
    }
    m_bitmap = std::move(bitmap);
}
