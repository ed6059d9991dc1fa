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

    // Every row of every channel we use, bottom row first, channel after
    // channel, in the file's sample layout.
    std::vector<uint8_t> planes;
    if (h.packed) {
        // Offset and length tables for all stored channels; a row's packed
        // data must lie inside the file. Rows may share data, and a row
        // whose data ends early keeps 0 for the rest.
        const size_t tableEntries = height * size_t(h.channels);
        const ByteReader starts = reader.Sub(kHeaderSize, tableEntries * 4);
        const ByteReader lengths = reader.Sub(kHeaderSize + tableEntries * 4, tableEntries * 4);
        planes.assign(rowBytes * height * channels, 0);
        TSGIRLEDecoder decoder(8 * h.bytesPerSample);
        for (size_t c = 0; c < channels; ++c) {
            for (size_t y = 0; y < height; ++y) {
                const size_t entry = c * height + y;
                ByteReader startField = starts.Sub(entry * 4, 4), lengthField = lengths.Sub(entry * 4, 4);
                const ByteReader row = reader.Sub(startField.U32BE(), lengthField.U32BE());
                std::span<const uint8_t> source = row.Rest();
                decoder.Decode(source, std::span<uint8_t>(planes.data() + entry * rowBytes, rowBytes), rowBytes);
            }
        }
    } else {
        planes.resize(rowBytes * height * channels);
        const ByteReader pixels = reader.Sub(kHeaderSize, planes.size());
        std::memcpy(planes.data(), pixels.Data(), planes.size());
    }

    const uint8_t *plane[4] = {};
    for (size_t c = 0; c < channels; ++c)
        plane[c] = planes.data() + c * height * rowBytes;
    const SampleScale scale(h.pixelMax);
    auto sample = [&](size_t c, size_t y, size_t x) -> uint8_t {
        const uint8_t *p = plane[c] + y * rowBytes;
        if (h.bytesPerSample == 1)
            return p[x];
        return scale(uint32_t(p[2 * x] << 8 | p[2 * x + 1]));
    };

    const bool alpha = channels == 2 || channels == 4;
    const QImage::Format format =
        alpha ? QImage::Format_ARGB32 : channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_BGR888;
    QImage bitmap = NewBitmap(h.width, h.height, format);
    for (size_t y = 0; y < height; ++y) {
        uchar *out = bitmap.scanLine(int(height - 1 - y));
        if (format == QImage::Format_Grayscale8 && h.bytesPerSample == 1) {
            std::memcpy(out, plane[0] + y * rowBytes, width);
        } else if (format == QImage::Format_Grayscale8) {
            for (size_t x = 0; x < width; ++x)
                out[x] = sample(0, y, x);
        } else if (format == QImage::Format_BGR888) {
            for (size_t x = 0; x < width; ++x) {
                out[3 * x] = sample(2, y, x);
                out[3 * x + 1] = sample(1, y, x);
                out[3 * x + 2] = sample(0, y, x);
            }
        } else {
            QRgb *argb = reinterpret_cast<QRgb *>(out);
            for (size_t x = 0; x < width; ++x) {
                const uint8_t grey = sample(0, y, x);
                argb[x] = channels == 2 ? qRgba(grey, grey, grey, sample(1, y, x))
                                        : qRgba(grey, sample(1, y, x), sample(2, y, x), sample(3, y, x));
            }
        }
    }
    m_bitmap = std::move(bitmap);
}
