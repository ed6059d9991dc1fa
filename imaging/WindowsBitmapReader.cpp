#include "imaging/WindowsBitmapReader.h"

#include "common/VistranoError.h"
#include "imaging/BitmapHeader.h"
#include "imaging/BitmapRLE.h"
#include "imaging/PictureLimits.h"

#include <bit>
#include <cstring>

namespace {

// One colour channel of a 16 or 32-bit pixel, brought to 8 bits: a narrower
// value has its bits repeated below itself (5 bits abcde become abcdeabc), so
// that 0 stays 0 and the largest value becomes 255; a wider one keeps its
// top 8 bits.
class Channel
{
public:
    explicit Channel(uint32_t mask)
        : m_mask(mask), m_shift(mask ? std::countr_zero(mask) : 0), m_width(std::bit_width(mask >> m_shift))
    {
        if (m_width > 0 && m_width < 8)
            for (uint32_t v = 0; v < (1u << m_width); ++v) {
                unsigned out = 0;
                for (int at = 8 - m_width; at > -m_width; at -= m_width)
                    out |= at >= 0 ? v << at : v >> -at;
                m_table[v] = uint8_t(out);
            }
    }

    uint8_t operator()(uint32_t pixel) const
    {
        const uint32_t value = (pixel & m_mask) >> m_shift;
        if (m_width < 8)
            return m_table[value];
        return uint8_t(value >> (m_width - 8));
    }

private:
    uint32_t m_mask;
    int m_shift;
    int m_width;
    uint8_t m_table[128] = {};
};

const uchar *StoredRow(const QByteArray &data, const BitmapHeader &header, int64_t stride, int y)
{
    const int64_t stored = header.topDown ? y : header.height - 1 - y;
    return reinterpret_cast<const uchar *>(data.constData()) + header.pixelOffset + stored * stride;
}

void UnpackIndexed(const QByteArray &data, const BitmapHeader &header, int64_t stride, QImage &bitmap)
{
    const int bits = header.bitCount;
    const int perByte = 8 / bits;
    const uint8_t mask = uint8_t((1 << bits) - 1);
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar *in = StoredRow(data, header, stride, y);
        uchar *out = bitmap.scanLine(y);
        if (bits == 8) {
            std::memcpy(out, in, size_t(header.width));
            continue;
        }
        for (int x = 0; x < header.width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            out[x] = (in[x / perByte] >> shift) & mask;
        }
    }
}

void UnpackMasked(const QByteArray &data, const BitmapHeader &header, int64_t stride, QImage &bitmap)
{
    const Channel red(header.redMask), green(header.greenMask), blue(header.blueMask), alpha(header.alphaMask);
    const bool withAlpha = header.alphaMask != 0;
    const int bytes = header.bitCount / 8;
    bool anyAlpha = false;
    for (int y = 0; y < bitmap.height(); ++y) {
        const uchar *in = StoredRow(data, header, stride, y);
        auto *out = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        for (int x = 0; x < header.width; ++x, in += bytes) {
            const uint32_t pixel = bytes == 2 ? uint32_t(in[0] | in[1] << 8)
                                              : uint32_t(in[0] | in[1] << 8 | in[2] << 16) | uint32_t(in[3]) << 24;
            const uint8_t a = withAlpha ? alpha(pixel) : 255;
            anyAlpha |= a != 0;
            out[x] = qRgba(red(pixel), green(pixel), blue(pixel), a);
        }
    }
    // Many writers declare an alpha mask and leave every alpha value at 0;
    // such a picture is meant to be opaque.
    if (withAlpha && !anyAlpha) {
        for (int y = 0; y < bitmap.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
            for (int x = 0; x < header.width; ++x)
                row[x] |= 0xFF000000u;
        }
        bitmap.reinterpretAsFormat(QImage::Format_RGB32);
    }
}

void Copy24(const QByteArray &data, const BitmapHeader &header, int64_t stride, QImage &bitmap)
{
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(bitmap.scanLine(y), StoredRow(data, header, stride, y), size_t(header.width) * 3);
}

} // namespace

QImage ReadWindowsBitmap(const QByteArray &data)
{
    const BitmapHeader header = ReadBitmapHeader(data);
    const size_t available = size_t(data.size()) - header.pixelOffset;

    if (header.compression == biRLE8 || header.compression == biRLE4) {
        // An end-of-bitmap code may leave the whole picture at colour 0, so
        // a few bytes can make a picture of any size; but data without even
        // one code is no picture, and is refused before one is allocated.
        if (available < 2)
            throw EReadError();
        QImage bitmap = NewPictureImage(header.width, header.height, QImage::Format_Indexed8);
        bitmap.setColorTable(header.colorTable);
        bitmap.fill(0);
        const auto *packed = reinterpret_cast<const uint8_t *>(data.constData()) + header.pixelOffset;
        UnpackBitmapRLE({packed, available}, header.bitCount, !header.topDown, bitmap);
        return bitmap;
    }

    // Rows are padded to 32 bits; the last stored row may lack its padding.
    const int64_t rowBits = header.width * header.bitCount;
    const int64_t stride = (rowBits + 31) / 32 * 4;
    const int64_t needed = stride * (header.height - 1) + (rowBits + 7) / 8;
    if (needed > int64_t(available))
        throw EReadError();

    if (header.bitCount <= 8) {
        QImage bitmap = NewPictureImage(header.width, header.height, QImage::Format_Indexed8);
        bitmap.setColorTable(header.colorTable);
        UnpackIndexed(data, header, stride, bitmap);
        return bitmap;
    }
    if (header.bitCount == 24) {
        QImage bitmap = NewPictureImage(header.width, header.height, QImage::Format_BGR888);
        Copy24(data, header, stride, bitmap);
        return bitmap;
    }
    QImage bitmap =
        NewPictureImage(header.width, header.height, header.alphaMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    UnpackMasked(data, header, stride, bitmap);
    return bitmap;
}
