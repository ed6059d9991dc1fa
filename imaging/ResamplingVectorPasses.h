#pragma once

// The vector forms of the two passes, written once over the vector width.
// Included only by ResamplingSSE.cpp and ResamplingAVX2.cpp, each after the
// standard headers and inside its own VISTRANO_TARGET_BEGIN region, with a
// traits class V that names the instructions of its width:
//
//   Vec                       the vector type
//   kRows                     source rows the horizontal pass takes per step,
//                             one in each 128-bit half
//   kBytes                    bytes of a row the vertical pass takes per step
//   Zero, Table(t)            zero; a 16-byte shuffle table in every half
//   LoadRows(p, toNext)       16 bytes at p, and at p + toNext for a second row
//   Load(p), Store(p, v)      kBytes unaligned
//   Broadcast32, Add32, Madd16, Shuffle8, UnpackLo8, UnpackHi8, Packs32, Packus16
//   Quotients(sums, window)   the 32-bit sums divided as ContributorWindow says
//   Lane(v, row)              the low 32 bits of the half of that row
//
// Every width runs the same integer arithmetic in the same order, so all
// paths give the same bytes. pmaddwd adds two exact products of an 8-bit
// sample and a 16-bit weight into one 32-bit lane: the sums are the exact
// integer sums, and ContributorWindow explains why the division by the
// reciprocal is exact after clamping.
//
// Everything here is local to the file that includes it: the two files
// compile it for different instruction sets.

#include "imaging/PixelCombine.h"
#include "imaging/ResamplingVector.h"

#include <cstring>
#include <vector>

namespace {

// Four 3-byte pixels in a 16-byte load become two vectors of 16-bit lanes,
// (b0 b1 g0 g1 r0 r1 0 0) and (b2 b3 g2 g3 r2 r3 0 0), so that pmaddwd with
// the weight pairs (w0 w1) and (w2 w3) sums blue, green and red. The second
// row of each table reads the same pixels from a load that starts 4 bytes
// earlier, used where a load from the first pixel would reach past the line.
alignas(16) constexpr int8_t kHorizontalPairsLow[2][16] = {
    {0, -128, 3, -128, 1, -128, 4, -128, 2, -128, 5, -128, -128, -128, -128, -128},
    {4, -128, 7, -128, 5, -128, 8, -128, 6, -128, 9, -128, -128, -128, -128, -128},
};
alignas(16) constexpr int8_t kHorizontalPairsHigh[2][16] = {
    {6, -128, 9, -128, 7, -128, 10, -128, 8, -128, 11, -128, -128, -128, -128, -128},
    {10, -128, 13, -128, 11, -128, 14, -128, 12, -128, 15, -128, -128, -128, -128, -128},
};

// How the pixels of a window are loaded: 0 from its first pixel, 1 from 4
// bytes earlier (where loads of 16 bytes from the first pixel would reach
// past the end of the line), -1 not at all (the line is too short around the
// window: the scalar code combines it).
inline int HorizontalLoadShift(const ContributorWindow &window, int lineLength)
{
    if (window.start + window.length <= lineLength - 2)
        return 0;
    if (window.start >= 2)
        return 1;
    return -1;
}

// Rows rowBegin.. of the source, kRows at a time; returns the first row it
// left (fewer than kRows were left for it).
template <class V>
int HorizontalPassVector(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                         const WindowedContributors &columns)
{
    using Vec = typename V::Vec;
    const Vec low[2] = {V::Table(kHorizontalPairsLow[0]), V::Table(kHorizontalPairsLow[1])};
    const Vec high[2] = {V::Table(kHorizontalPairsHigh[0]), V::Table(kHorizontalPairsHigh[1])};
    const int16_t *weights = columns.weights.data();
    int y = rowBegin;
    for (; y + V::kRows <= rowEnd; y += V::kRows) {
        const uint8_t *line = source.bits + ptrdiff_t(y) * source.stride;
        uint8_t *out = intermediate.bits + ptrdiff_t(y) * intermediate.stride;
        for (int i = 0; i < intermediate.width; ++i) {
            const ContributorWindow &window = columns.windows[size_t(i)];
            const int shift = window.packed ? HorizontalLoadShift(window, source.width) : -1;
            if (shift < 0) {
                for (int row = 0; row < V::kRows; ++row)
                    CombineEntry(columns.entries[size_t(i)], line + row * source.stride, 3,
                                 out + row * intermediate.stride + ptrdiff_t(i) * 3);
                continue;
            }
            const uint8_t *p = line + ptrdiff_t(window.start) * 3 - shift * 4;
            const int16_t *w = weights + window.weightOffset;
            Vec sums = V::Zero();
            for (int32_t k = 0; k < window.length; k += 4, p += 12, w += 4) {
                const Vec pixels = V::LoadRows(p, source.stride);
                int32_t pair01, pair23;
                std::memcpy(&pair01, w, 4);
                std::memcpy(&pair23, w + 2, 4);
                sums = V::Add32(sums, V::Madd16(V::Shuffle8(pixels, low[shift]), V::Broadcast32(pair01)));
                sums = V::Add32(sums, V::Madd16(V::Shuffle8(pixels, high[shift]), V::Broadcast32(pair23)));
            }
            // Saturating packs clamp each 32-bit quotient to 0..255.
            const Vec quotients = V::Quotients(sums, window);
            const Vec words = V::Packs32(quotients, quotients);
            const Vec bytes = V::Packus16(words, words);
            for (int row = 0; row < V::kRows; ++row) {
                const int32_t value = V::Lane(bytes, row);
                std::memcpy(out + row * intermediate.stride + ptrdiff_t(i) * 3, &value, 4);
            }
        }
        for (int row = 0; row < V::kRows; ++row)
            ClearRowTail(intermediate, out + row * intermediate.stride);
    }
    return y;
}

template <class V>
void VerticalPassVector(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                        const WindowedContributors &rows)
{
    using Vec = typename V::Vec;
    const ptrdiff_t bytes = ptrdiff_t(target.width) * 3;
    const Vec zero = V::Zero();
    // Two weights of consecutive rows as one 32-bit value, for pmaddwd.
    std::vector<int32_t> pairs;
    for (int y = rowBegin; y < rowEnd; ++y) {
        const ContributorWindow &window = rows.windows[size_t(y)];
        uint8_t *out = target.bits + ptrdiff_t(y) * target.stride;
        if (!window.packed) {
            VerticalRowScalar(intermediate, out, target.width, rows.entries[size_t(y)]);
            continue;
        }
        const int16_t *w = rows.weights.data() + window.weightOffset;
        pairs.resize(size_t(window.length / 2));
        for (size_t k = 0; k < pairs.size(); ++k)
            pairs[k] = int32_t(uint16_t(w[2 * k])) | int32_t(uint32_t(uint16_t(w[2 * k + 1])) << 16);
        const uint8_t *base = IntermediateRow(intermediate, window.start);
        for (ptrdiff_t x = 0; x < bytes; x += V::kBytes) {
            Vec s0 = zero, s1 = zero, s2 = zero, s3 = zero;
            const uint8_t *r = base + x;
            for (const int32_t pair : pairs) {
                const Vec weight = V::Broadcast32(pair);
                const Vec a = V::Load(r);
                const Vec b = V::Load(r + intermediate.stride);
                r += 2 * intermediate.stride;
                // Within each 128-bit half: lo holds bytes 0..7, hi bytes 8..15.
                const Vec lo = V::UnpackLo8(a, b);
                const Vec hi = V::UnpackHi8(a, b);
                s0 = V::Add32(s0, V::Madd16(V::UnpackLo8(lo, zero), weight));
                s1 = V::Add32(s1, V::Madd16(V::UnpackHi8(lo, zero), weight));
                s2 = V::Add32(s2, V::Madd16(V::UnpackLo8(hi, zero), weight));
                s3 = V::Add32(s3, V::Madd16(V::UnpackHi8(hi, zero), weight));
            }
            // The packs work within halves too, which puts the bytes back in order.
            const Vec packed = V::Packus16(V::Packs32(V::Quotients(s0, window), V::Quotients(s1, window)),
                                           V::Packs32(V::Quotients(s2, window), V::Quotients(s3, window)));
            if (x + V::kBytes <= bytes) {
                V::Store(out + x, packed);
            } else {
                uint8_t tail[V::kBytes];
                V::Store(tail, packed);
                std::memcpy(out + x, tail, size_t(bytes - x));
            }
        }
    }
}

} // namespace
