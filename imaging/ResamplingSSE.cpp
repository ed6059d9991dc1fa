#include "imaging/ResamplingVector.h"

#include "imaging/PixelCombine.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>

// The 128-bit forms of the passes. The horizontal pass needs SSSE3 for its
// byte shuffles and is compiled for it function by function (the program
// itself assumes only the x86-64 base), the vertical pass needs SSE2 only.
// Both multiply 8-bit samples by 16-bit weights with pmaddwd, which adds two
// exact products into one 32-bit lane, so the sums are the exact integer
// sums; ContributorWindow explains why the division by the reciprocal is
// exact after clamping.

#define VISTRANO_SSSE3 __attribute__((target("ssse3")))

// Four 3-byte pixels in a 16-byte load become two vectors of 16-bit lanes,
// (b0 b1 g0 g1 r0 r1 0 0) and (b2 b3 g2 g3 r2 r3 0 0), so that pmaddwd with
// the weight pairs (w0 w1) and (w2 w3) sums blue, green and red. The second
// row of each table reads the same pixels from a load that starts 4 bytes
// earlier, used where a load from the first pixel would reach past the line.
alignas(16) const int8_t kHorizontalPairsLow[2][16] = {
    {0, -128, 3, -128, 1, -128, 4, -128, 2, -128, 5, -128, -128, -128, -128, -128},
    {4, -128, 7, -128, 5, -128, 8, -128, 6, -128, 9, -128, -128, -128, -128, -128},
};
alignas(16) const int8_t kHorizontalPairsHigh[2][16] = {
    {6, -128, 9, -128, 7, -128, 10, -128, 8, -128, 11, -128, -128, -128, -128, -128},
    {10, -128, 13, -128, 11, -128, 14, -128, 12, -128, 15, -128, -128, -128, -128, -128},
};

namespace {

inline __m128i Quotients(__m128i sums, const ContributorWindow &window)
{
    if (window.total != 0)
        return _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sums), _mm_set1_ps(window.reciprocal)));
    return _mm_srli_epi32(sums, 8);
}

// Saturating packs clamp each 32-bit quotient to 0..255.
inline __m128i PackPixel(__m128i quotients)
{
    const __m128i words = _mm_packs_epi32(quotients, quotients);
    return _mm_packus_epi16(words, words);
}

inline void StorePixel(uint8_t *out, __m128i packed)
{
    const int32_t value = _mm_cvtsi128_si32(packed);
    std::memcpy(out, &value, 4);
}

} // namespace

int HorizontalLoadShift(const ContributorWindow &window, int lineLength)
{
    if (window.start + window.length <= lineLength - 2)
        return 0;
    if (window.start >= 2)
        return 1;
    return -1;
}

VISTRANO_SSSE3 void HorizontalPassSSSE3(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                                        const WindowedContributors &columns)
{
    const __m128i low[2] = {_mm_load_si128(reinterpret_cast<const __m128i *>(kHorizontalPairsLow[0])),
                            _mm_load_si128(reinterpret_cast<const __m128i *>(kHorizontalPairsLow[1]))};
    const __m128i high[2] = {_mm_load_si128(reinterpret_cast<const __m128i *>(kHorizontalPairsHigh[0])),
                             _mm_load_si128(reinterpret_cast<const __m128i *>(kHorizontalPairsHigh[1]))};
    const int16_t *weights = columns.weights.data();
    for (int y = rowBegin; y < rowEnd; ++y) {
        const uint8_t *line = source.bits + ptrdiff_t(y) * source.stride;
        uint8_t *out = intermediate.bits + ptrdiff_t(y) * intermediate.stride;
        for (int i = 0; i < intermediate.width; ++i) {
            const ContributorWindow &window = columns.windows[size_t(i)];
            const int shift = window.packed ? HorizontalLoadShift(window, source.width) : -1;
            if (shift < 0) {
                CombineEntry(columns.entries[size_t(i)], line, 3, out + ptrdiff_t(i) * 3);
                continue;
            }
            const uint8_t *p = line + ptrdiff_t(window.start) * 3 - shift * 4;
            const int16_t *w = weights + window.weightOffset;
            __m128i sums = _mm_setzero_si128();
            for (int32_t k = 0; k < window.length; k += 4, p += 12, w += 4) {
                const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                const __m128i pairs = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(w));
                sums = _mm_add_epi32(sums, _mm_madd_epi16(_mm_shuffle_epi8(pixels, low[shift]),
                                                          _mm_shuffle_epi32(pairs, 0x00)));
                sums = _mm_add_epi32(sums, _mm_madd_epi16(_mm_shuffle_epi8(pixels, high[shift]),
                                                          _mm_shuffle_epi32(pairs, 0x55)));
            }
            StorePixel(out + ptrdiff_t(i) * 3, PackPixel(Quotients(sums, window)));
        }
        ClearRowTail(intermediate, out);
    }
}

namespace {


} // namespace

void VerticalPassSSE2(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                      const WindowedContributors &rows)
{
    const ptrdiff_t bytes = ptrdiff_t(target.width) * 3;
    const __m128i zero = _mm_setzero_si128();
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
        const uint8_t *base = intermediate.bits + ptrdiff_t(window.start) * intermediate.stride;
        for (ptrdiff_t x = 0; x < bytes; x += 16) {
            __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
            const uint8_t *r = base + x;
            for (const int32_t pair : pairs) {
                const __m128i weight = _mm_shuffle_epi32(_mm_cvtsi32_si128(pair), 0);
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(r));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(r + intermediate.stride));
                r += 2 * intermediate.stride;
                const __m128i lo = _mm_unpacklo_epi8(a, b);
                const __m128i hi = _mm_unpackhi_epi8(a, b);
                s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), weight));
                s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), weight));
                s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), weight));
                s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), weight));
            }
            const __m128i packed = _mm_packus_epi16(
                _mm_packs_epi32(Quotients(s0, window), Quotients(s1, window)),
                _mm_packs_epi32(Quotients(s2, window), Quotients(s3, window)));
            if (x + 16 <= bytes) {
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x), packed);
            } else {
                alignas(16) uint8_t tail[16];
                _mm_store_si128(reinterpret_cast<__m128i *>(tail), packed);
                std::memcpy(out + x, tail, size_t(bytes - x));
            }
        }
    }
}

#else

void HorizontalPassSSSE3(PassSource, PassTarget, int, int, const WindowedContributors &) {}
void VerticalPassSSE2(PassSource, PassTarget, int, int, const WindowedContributors &) {}

#endif
