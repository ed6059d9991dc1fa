#pragma once

#include "imaging/Contributors.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// The exact integer arithmetic of one target channel: the quotient of the
// 32-bit sum by the 32-bit total truncated towards zero, or, when the total
// is 0, the sum shifted right by 8 as an unsigned value; then clamped to a
// byte.
inline uint8_t FinishChannel(int32_t sum, int32_t total)
{
    int64_t value;
    if (total != 0)
        value = int64_t(sum) / int64_t(total);
    else
        value = int64_t(static_cast<uint32_t>(sum) >> 8);
    return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255));
}

// Combines one entry, pixelOf(index) giving the 3-byte pixel of a source
// position, and writes blue, green and red to out. The sums are 32-bit and
// wrap around like the machine integers they model.
template <class PixelOf>
inline void CombineEntryOf(const std::vector<Contributor> &entry, const PixelOf &pixelOf, uint8_t *out)
{
    uint32_t sum0 = 0, sum1 = 0, sum2 = 0, total = 0;
    for (const Contributor &c : entry) {
        const uint8_t *pixel = pixelOf(c.index);
        const uint32_t weight = static_cast<uint32_t>(c.weight);
        sum0 += weight * pixel[0];
        sum1 += weight * pixel[1];
        sum2 += weight * pixel[2];
        total += weight;
    }
    const int32_t t = static_cast<int32_t>(total);
    out[0] = FinishChannel(static_cast<int32_t>(sum0), t);
    out[1] = FinishChannel(static_cast<int32_t>(sum1), t);
    out[2] = FinishChannel(static_cast<int32_t>(sum2), t);
}

// Combines one entry from a line of 3-byte pixels whose position p starts
// at line + p * step.
inline void CombineEntry(const std::vector<Contributor> &entry, const uint8_t *line, ptrdiff_t step, uint8_t *out)
{
    CombineEntryOf(entry, [line, step](int32_t index) { return line + ptrdiff_t(index) * step; }, out);
}
