#include "imaging/BitmapRLE.h"

#include <algorithm>

namespace {

enum Escape : uint8_t { EndOfLine = 0, EndOfBitmap = 1, Delta = 2 };

class RLEWriter
{
public:
    RLEWriter(QImage &bitmap, bool rowsUpward)
        : m_bitmap(bitmap), m_width(bitmap.width()), m_height(bitmap.height()), m_rowsUpward(rowsUpward)
    {
    }

    bool Done() const { return m_y >= m_height; }

    // Writes the pixel at the current position (when it lies inside the
    // bitmap) and moves one to the right.
    void Put(uint8_t index)
    {
        if (m_x < m_width)
            Row()[m_x] = index;
        ++m_x;
    }

    void Fill(uint8_t index, int count)
    {
        if (m_x < m_width) {
            const int n = std::min(count, m_width - int(m_x));
            std::fill_n(Row() + m_x, n, index);
        }
        m_x += count;
    }

    void NextLine() { m_x = 0, ++m_y; }
    void Move(int dx, int dy) { m_x += dx, m_y += dy; }

private:
    uint8_t *Row() { return m_bitmap.scanLine(int(m_rowsUpward ? m_height - 1 - m_y : m_y)); }

    QImage &m_bitmap;
    const int m_width;
    const int64_t m_height;
    const bool m_rowsUpward;
    int64_t m_x = 0; // may pass the right edge: later pixels of the row are dropped
    int64_t m_y = 0;
};

} // namespace

void UnpackBitmapRLE(std::span<const uint8_t> packed, int bitCount, bool rowsUpward, QImage &bitmap)
{
    RLEWriter out(bitmap, rowsUpward);
    const bool four = bitCount == 4;
    size_t pos = 0;
    // Every pass consumes at least two bytes, so the loop ends with the data.
    while (pos + 2 <= packed.size() && !out.Done()) {
        const uint8_t count = packed[pos], value = packed[pos + 1];
        pos += 2;
        if (count > 0) {
            if (!four || (value >> 4) == (value & 0x0F)) {
                out.Fill(four ? value & 0x0F : value, count);
            } else {
                for (int i = 0; i < count; ++i)
                    out.Put(i % 2 == 0 ? value >> 4 : value & 0x0F);
            }
            continue;
        }
        switch (value) {
        case EndOfLine:
            out.NextLine();
            break;
        case EndOfBitmap:
            return;
        case Delta:
            if (pos + 2 > packed.size())
                return;
            out.Move(packed[pos], packed[pos + 1]);
            pos += 2;
            break;
        default: {
            // A literal group of `value` pixels, padded to a whole 16-bit word.
            const size_t bytes = four ? (size_t(value) + 1) / 2 : value;
            const size_t available = std::min(bytes, packed.size() - pos);
            for (size_t i = 0; i < available; ++i) {
                const uint8_t byte = packed[pos + i];
                if (!four) {
                    out.Put(byte);
                } else {
                    out.Put(byte >> 4);
                    if (2 * i + 1 < value)
                        out.Put(byte & 0x0F);
                }
            }
            pos += bytes + (bytes & 1);
            break;
        }
        }
    }
}
