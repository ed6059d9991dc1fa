#include "imaging/decoders/PPMGraphic.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"
#include "imaging/decoders/ByteReader.h"

#include <QList>

#include <algorithm>

#include <cstring>
#include <vector>

namespace {

constexpr const char *kFormatName = "PPM";
// Numbers are read with saturation: anything above this is too large for
// any field anyway.
constexpr uint64_t kNumberCeiling = uint64_t(1) << 40;

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// Plain-text reading over the bounded reader: whitespace and "#" comments
// between tokens are passed over; running out of data is a read error.
class TokenReader
{
public:
    explicit TokenReader(ByteReader &reader) : m_reader(reader) {}

    void SkipSpace()
    {
        const uint8_t *data = m_reader.Data();
        size_t pos = m_reader.Position();
        const size_t size = m_reader.Size();
        while (pos < size) {
            if (IsSpace(data[pos])) {
                ++pos;
            } else if (data[pos] == '#') {
                while (pos < size && data[pos] != '\n' && data[pos] != '\r')
                    ++pos;
            } else {
                break;
            }
        }
        m_reader.Seek(pos);
    }

    // A decimal number; false when something else stands there.
    bool Number(uint64_t &value)
    {
        SkipSpace();
        const uint8_t *data = m_reader.Data();
        size_t pos = m_reader.Position();
        const size_t size = m_reader.Size();
        if (pos == size)
            throw EReadError();
        if (!IsDigit(data[pos]))
            return false;
        uint64_t v = 0;
        while (pos < size && IsDigit(data[pos])) {
            v = std::min(kNumberCeiling, v * 10 + (data[pos] - '0'));
            ++pos;
        }
        m_reader.Seek(pos);
        value = v;
        return true;
    }

    // One plain bitmap digit: the bits need no separators.
    bool Bit(uint8_t &bit)
    {
        SkipSpace();
        const uint8_t c = m_reader.U8();
        bit = uint8_t(c - '0');
        return c == '0' || c == '1';
    }

private:
    ByteReader &m_reader;
};

// round(v * 255 / maxValue) for every v up to maxValue.
std::vector<uint8_t> ScaleTable(uint32_t maxValue)
{
    std::vector<uint8_t> table(size_t(maxValue) + 1);
    for (uint32_t v = 0; v <= maxValue; ++v)
        table[v] = uint8_t((uint64_t(v) * 255 + maxValue / 2) / maxValue);
    return table;
}

} // namespace

const TGraphicClass &TPPMGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPPMGraphic", [] { return std::unique_ptr<TGraphic>(new TPPMGraphic); }};
    return cls;
}

void TPPMGraphic::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = QImage();
    ByteReader reader(data);
    if (reader.U8() != 'P')
        FormatError(kFormatName);
    const uint8_t kind = reader.U8();
    if (kind < '1' || kind > '6')
        FormatError(kFormatName);
    const bool plain = kind <= '3';
    const int type = (kind - '1') % 3; // 0 bitmap, 1 graymap, 2 pixmap

    TokenReader tokens(reader);
    uint64_t width = 0, height = 0, maxValue = 1;
    if (!tokens.Number(width) || !tokens.Number(height))
        FormatError(kFormatName);
    if (type != 0 && (!tokens.Number(maxValue) || maxValue == 0 || maxValue > 65535))
        FormatError(kFormatName);
    CheckPictureSize(int64_t(width), int64_t(height));
    if (!plain && !IsSpace(reader.U8()))
        FormatError(kFormatName);

    const size_t w = size_t(width), h = size_t(height);
    const size_t channels = type == 2 ? 3 : 1;
    const size_t samples = w * h * channels;
    const size_t sampleBytes = maxValue > 255 ? 2 : 1;
    // What the pixels take at the least, checked before anything is
    // allocated: one character per plain bit, a digit and a separator per
    // plain number, the exact size of raw data.
    size_t leastBytes;
    if (plain)
        leastBytes = type == 0 ? samples : 2 * samples - 1;
    else
        leastBytes = type == 0 ? (w + 7) / 8 * h : samples * sampleBytes;
    if (reader.Remaining() < leastBytes)
        throw EReadError();

    const QImage::Format format =
        type == 0 ? QImage::Format_Mono : type == 1 ? QImage::Format_Grayscale8 : QImage::Format_BGR888;
    QImage bitmap = NewBitmap(int64_t(w), int64_t(h), format);
    if (type == 0)
        bitmap.setColorTable(QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)});

    if (type == 0) {
        const size_t rowBytes = (w + 7) / 8;
        for (size_t y = 0; y < h; ++y) {
            uchar *out = bitmap.scanLine(int(y));
            if (!plain) {
                reader.Read(out, rowBytes);
                continue;
            }
            std::memset(out, 0, rowBytes);
            for (size_t x = 0; x < w; ++x) {
                uint8_t bit;
                if (!tokens.Bit(bit))
                    FormatError(kFormatName);
                out[x >> 3] |= uint8_t(bit << (7 - (x & 7)));
            }
        }
        m_bitmap = std::move(bitmap);
        return;
    }

    const std::vector<uint8_t> scale = ScaleTable(uint32_t(maxValue));
    const size_t rowSamples = w * channels;
    // Sample i of a row lands at out[place(i)]: pixmaps store red first,
    // the bitmap blue first.
    const auto place = [channels](size_t i) { return channels == 3 ? i - i % 3 + 2 - i % 3 : i; };
    for (size_t y = 0; y < h; ++y) {
        uchar *out = bitmap.scanLine(int(y));
        if (plain) {
            for (size_t i = 0; i < rowSamples; ++i) {
                uint64_t v;
                if (!tokens.Number(v))
                    FormatError(kFormatName);
                out[place(i)] = scale[size_t(std::min(v, maxValue))];
            }
        } else if (sampleBytes == 1 && channels == 3 && maxValue == 255) {
            const uint8_t *in = reader.Bytes(rowSamples).data();
            for (size_t x = 0; x < w; ++x) {
                out[3 * x] = in[3 * x + 2];
                out[3 * x + 1] = in[3 * x + 1];
                out[3 * x + 2] = in[3 * x];
            }
        } else if (sampleBytes == 1) {
            const std::span<const uint8_t> in = reader.Bytes(rowSamples);
            for (size_t i = 0; i < rowSamples; ++i)
                out[place(i)] = scale[std::min<size_t>(in[i], size_t(maxValue))];
        } else {
            const std::span<const uint8_t> in = reader.Bytes(rowSamples * 2);
            for (size_t i = 0; i < rowSamples; ++i)
                out[place(i)] = scale[std::min<size_t>(size_t(in[2 * i] << 8 | in[2 * i + 1]), size_t(maxValue))];
        }
    }
    m_bitmap = std::move(bitmap);
}
