#include "imaging/decoders/PCDDecoder.h"

#include <algorithm>
#include <vector>

namespace {

// One chroma row of width / 2 samples widened to width samples.
void WidenChroma(const uint8_t *in, size_t halfWidth, uint16_t *out)
{
    for (size_t j = 0; j < halfWidth; ++j) {
        const unsigned here = in[j];
        const unsigned next = j + 1 < halfWidth ? in[j + 1] : here;
        out[2 * j] = uint16_t(here * 2);
        out[2 * j + 1] = uint16_t(here + next);
    }
}

} // namespace

size_t TPCDDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    if (m_width < 2 || m_width % 2)
        return 0;
    const size_t width = size_t(m_width);
    const size_t half = width / 2;
    const size_t groupBytes = 3 * width;
    const size_t rowBytes = 3 * width;
    const size_t groups = source.size() / groupBytes;
    const size_t rows = std::min({std::min(dest.size(), unpackedCount) / rowBytes, groups * 2});
    if (rows == 0)
        return 0;

    // Chroma rows widened to full width, kept doubled (sum of two samples)
    // so that the vertical mean of two rows stays exact until the end.
    std::vector<uint16_t> c1(width), c2(width), nextC1(width), nextC2(width);
    auto chromaOf = [&](size_t group, std::vector<uint16_t> &u, std::vector<uint16_t> &v) {
        const uint8_t *base = source.data() + group * groupBytes + 2 * width;
        WidenChroma(base, half, u.data());
        WidenChroma(base + half, half, v.data());
    };

    chromaOf(0, c1, c2);
    for (size_t y = 0; y < rows; ++y) {
        const size_t group = y / 2;
        const uint8_t *luma = source.data() + group * groupBytes + (y % 2) * width;
        uint8_t *out = dest.data() + y * rowBytes;
        if (y % 2 == 0) {
            for (size_t x = 0; x < width; ++x) {
                out[3 * x] = luma[x];
                out[3 * x + 1] = uint8_t((c1[x] + 1) / 2);
                out[3 * x + 2] = uint8_t((c2[x] + 1) / 2);
            }
        } else {
            // An odd row lies halfway between this group's chroma and the
            // next group's (the last group has none below and repeats).
            if (group + 1 < groups)
                chromaOf(group + 1, nextC1, nextC2);
            else
                nextC1 = c1, nextC2 = c2;
            for (size_t x = 0; x < width; ++x) {
                out[3 * x] = luma[x];
                out[3 * x + 1] = uint8_t((c1[x] + nextC1[x] + 2) / 4);
                out[3 * x + 2] = uint8_t((c2[x] + nextC2[x] + 2) / 4);
            }
            c1.swap(nextC1);
            c2.swap(nextC2);
        }
    }
    return rows * rowBytes;
}
