#include "imaging/decoders/ThunderDecoder.h"

#include <algorithm>
#include <cstring>

TThunderDecoder::TThunderDecoder(uint32_t width) : m_width(width) {}

size_t TThunderDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t rowBytes = (size_t(m_width) + 1) / 2;
    if (rowBytes == 0)
        return 0;
    const size_t rows = std::min(unpackedCount, dest.size()) / rowBytes;
    const uint8_t *in = source.data();
    const uint8_t *const inEnd = in + source.size();
    size_t row = 0;
    for (; row < rows && in < inEnd; ++row) {
        uint8_t *out = dest.data() + row * rowBytes;
        std::memset(out, 0, rowBytes);
        unsigned last = 0;
        uint32_t x = 0;
        auto put = [&](unsigned pixel) {
            if (x < m_width) {
                out[x >> 1] |= uint8_t((x & 1) ? pixel : pixel << 4);
                ++x;
            }
        };
        while (x < m_width && in < inEnd) {
            const unsigned byte = *in++;
            const unsigned value = byte & 0x3F;
            switch (byte >> 6) {
            case 0: // run of the last pixel
                for (unsigned n = 0; n < value && x < m_width; ++n)
                    put(last);
                break;
            case 1: { // three 2-bit deltas
                static const int kDelta2[4] = {0, 1, 0, -1};
                for (int shift = 4; shift >= 0; shift -= 2) {
                    const unsigned code = (value >> shift) & 3;
                    if (code == 2)
                        continue;
                    last = unsigned(int(last) + kDelta2[code]) & 0x0F;
                    put(last);
                }
                break;
            }
            case 2: { // two 3-bit deltas
                static const int kDelta3[8] = {0, 1, 2, 3, 0, -3, -2, -1};
                for (int shift = 3; shift >= 0; shift -= 3) {
                    const unsigned code = (value >> shift) & 7;
                    if (code == 4)
                        continue;
                    last = unsigned(int(last) + kDelta3[code]) & 0x0F;
                    put(last);
                }
                break;
            }
            default: // raw pixel
                last = value & 0x0F;
                put(last);
                break;
            }
        }
    }
    return row * rowBytes;
}
