#include "imaging/decoders/RLAGraphic.h"

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/RLADecoder.h"

#include <vector>

namespace {

constexpr const char *kFormat = "RLA";
constexpr size_t kHeaderSize = 740;

// A sample whose largest value is `maximum` scaled to 8 bits, rounded to
// the nearest (for 16 bits: value / 257 rounded).
uint8_t Reduce(unsigned value, unsigned maximum)
{
    if (value >= maximum)
        return 255;
    return uint8_t((value * 255 + maximum / 2) / maximum);
}

} // namespace

const TGraphicClass &TRLAGraphic::StaticClass()
{
    static const TGraphicClass cls{"TRLAGraphic", [] { return std::unique_ptr<TGraphic>(new TRLAGraphic); }};
    return cls;
}

void TRLAGraphic::LoadFromBytes(const QByteArray &data)
{
    ByteReader file(data);
    ByteReader header = file.Sub(0, kHeaderSize);

    // The stored picture is the active region; the window around it (the
    // full frame of the render) is not part of the data.
    header.Seek(8);
    const int activeLeft = header.I16BE();
    const int activeRight = header.I16BE();
    const int activeBottom = header.I16BE();
    const int activeTop = header.I16BE();
    header.Seek(18);
    const int colorType = header.I16BE();
    const int colorChannels = header.I16BE();
    const int matteChannels = header.I16BE();
    const int auxChannels = header.I16BE();
    header.Seek(658);
    int bits = header.I16BE();

    if (activeRight < activeLeft || activeTop < activeBottom || colorChannels < 1 || matteChannels < 0
        || auxChannels < 0)
        FormatError(kFormat);
    // Files older than the bit-depth field leave it 0: they are 8-bit.
    if (bits == 0)
        bits = 8;
    // One colour channel is grey, three or more are red, green, blue (and
    // whatever follows); two mean nothing. Float channels are not read.
    if (colorChannels == 2 || colorType != 0 || bits < 1 || bits > 16)
        ColorFormatError(kFormat);

    const int64_t width = int64_t(activeRight) - activeLeft + 1;
    const int64_t height = int64_t(activeTop) - activeBottom + 1;
    const size_t sampleBytes = bits > 8 ? 2 : 1;
    // Samples take one byte up to 8 bits and two big-endian bytes above;
    // anything but 8 bits is scaled to 8.
    const unsigned maximum = (1u << bits) - 1;

    // The offset table must be there before anything is allocated.
    ByteReader table = file.Sub(kHeaderSize, size_t(height) * 4);
    QImage bitmap = NewBitmap(width, height, colorChannels == 1 ? QImage::Format_Grayscale8 : QImage::Format_BGR888);
    bitmap.fill(0);

    const int planes = colorChannels == 1 ? 1 : 3;
    const size_t planeBytes = size_t(width) * sampleBytes;
    std::vector<uint8_t> plane(planeBytes);
    TRLADecoder decoder;
    decoder.Start();
    for (int64_t line = 0; line < height; ++line) {
        const uint32_t offset = table.U32BE();
        if (offset < kHeaderSize + size_t(height) * 4 || offset >= file.Size())
            FormatError(kFormat);
        ByteReader record = file.Sub(offset, file.Size() - offset);
        // Table entry 0 is the bottom row.
        uchar *row = bitmap.scanLine(int(height - 1 - line));
        for (int channel = 0; channel < planes; ++channel) {
            const uint16_t length = record.U16BE();
            std::span<const uint8_t> packed = record.Bytes(length);
            std::fill(plane.begin(), plane.end(), 0);
            decoder.Decode(packed, plane, planeBytes);
            // Bitmap rows are blue, green, red; the file's channels are red,
            // green, blue.
            const int slot = planes == 1 ? 0 : 2 - channel;
            const size_t step = size_t(planes);
            if (bits == 8) {
                for (int64_t x = 0; x < width; ++x)
                    row[size_t(x) * step + size_t(slot)] = plane[size_t(x)];
            } else if (sampleBytes == 1) {
                for (int64_t x = 0; x < width; ++x)
                    row[size_t(x) * step + size_t(slot)] = Reduce(plane[size_t(x)], maximum);
            } else {
                for (int64_t x = 0; x < width; ++x) {
                    const unsigned value = unsigned(plane[2 * size_t(x)]) << 8 | plane[2 * size_t(x) + 1];
                    row[size_t(x) * step + size_t(slot)] = Reduce(value, maximum);
                }
            }
        }
    }
    decoder.Finish();
    m_bitmap = bitmap;
}
