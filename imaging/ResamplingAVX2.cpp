#include "imaging/ResamplingVector.h"

#include "imaging/PixelCombine.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>

// The 256-bit forms of the passes, compiled for AVX2 function by function
// and called only where the processor has it. They follow the 128-bit forms
// in ResamplingSSE.cpp with two rows (horizontal) or 32 bytes (vertical)
// per step; the arithmetic is the same.

#define VISTRANO_AVX2 __attribute__((target("avx2")))

namespace {

VISTRANO_AVX2 inline __m256i Quotients(__m256i sums, const ContributorWindow &window)
{
    if (window.total != 0)
        return _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_cvtepi32_ps(sums), _mm256_set1_ps(window.reciprocal)));
    return _mm256_srli_epi32(sums, 8);
}

VISTRANO_AVX2 inline __m256i Broadcast(const int8_t *table)
{
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(table)));
}


} // namespace

// Two source rows at a time, one in each 128-bit half: both halves take
// the same weights, so a weight pair is one broadcast from memory and the
// shuffle unit only unpacks pixels. A last odd row goes to the 128-bit code.
VISTRANO_AVX2 void HorizontalPassAVX2(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                                      const WindowedContributors &columns)
{
    const __m256i low[2] = {Broadcast(kHorizontalPairsLow[0]), Broadcast(kHorizontalPairsLow[1])};
    const __m256i high[2] = {Broadcast(kHorizontalPairsHigh[0]), Broadcast(kHorizontalPairsHigh[1])};
    const int16_t *weights = columns.weights.data();
    int y = rowBegin;
    for (; y + 2 <= rowEnd; y += 2) {
        const uint8_t *lineA = source.bits + ptrdiff_t(y) * source.stride;
        const ptrdiff_t toB = source.stride;
        uint8_t *outA = intermediate.bits + ptrdiff_t(y) * intermediate.stride;
        uint8_t *outB = outA + intermediate.stride;
        for (int i = 0; i < intermediate.width; ++i) {
            const ContributorWindow &window = columns.windows[size_t(i)];
            const int shift = window.packed ? HorizontalLoadShift(window, source.width) : -1;
            if (shift < 0) {
                CombineEntry(columns.entries[size_t(i)], lineA, 3, outA + ptrdiff_t(i) * 3);
                CombineEntry(columns.entries[size_t(i)], lineA + toB, 3, outB + ptrdiff_t(i) * 3);
                continue;
            }
            const uint8_t *p = lineA + ptrdiff_t(window.start) * 3 - shift * 4;
            const int16_t *w = weights + window.weightOffset;
            __m256i sums = _mm256_setzero_si256();
            for (int32_t k = 0; k < window.length; k += 4, p += 12, w += 4) {
                const __m256i pixels = _mm256_inserti128_si256(
                    _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p))),
                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + toB)), 1);
                int32_t pair01, pair23;
                std::memcpy(&pair01, w, 4);
                std::memcpy(&pair23, w + 2, 4);
                sums = _mm256_add_epi32(
                    sums, _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, low[shift]), _mm256_set1_epi32(pair01)));
                sums = _mm256_add_epi32(
                    sums, _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, high[shift]), _mm256_set1_epi32(pair23)));
            }
            const __m256i q = Quotients(sums, window);
            const __m256i words = _mm256_packs_epi32(q, q);
            const __m256i bytes = _mm256_packus_epi16(words, words);
            const int32_t valueA = _mm_cvtsi128_si32(_mm256_castsi256_si128(bytes));
            const int32_t valueB = _mm_cvtsi128_si32(_mm256_extracti128_si256(bytes, 1));
            std::memcpy(outA + ptrdiff_t(i) * 3, &valueA, 4);
            std::memcpy(outB + ptrdiff_t(i) * 3, &valueB, 4);
        }
        ClearRowTail(intermediate, outA);
        ClearRowTail(intermediate, outB);
    }
    if (y < rowEnd)
        HorizontalPassSSSE3(source, intermediate, y, rowEnd, columns);
}

VISTRANO_AVX2 void VerticalPassAVX2(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                                    const WindowedContributors &rows)
{
    const ptrdiff_t bytes = ptrdiff_t(target.width) * 3;
    const __m256i zero = _mm256_setzero_si256();
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
        for (ptrdiff_t x = 0; x < bytes; x += 32) {
            __m256i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
            const uint8_t *r = base + x;
            for (const int32_t pair : pairs) {
                const __m256i weight = _mm256_set1_epi32(pair);
                const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(r));
                const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(r + intermediate.stride));
                r += 2 * intermediate.stride;
                // Within each 128-bit half: lo holds bytes 0..7, hi bytes 8..15.
                const __m256i lo = _mm256_unpacklo_epi8(a, b);
                const __m256i hi = _mm256_unpackhi_epi8(a, b);
                s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi8(lo, zero), weight));
                s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi8(lo, zero), weight));
                s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi8(hi, zero), weight));
                s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi8(hi, zero), weight));
            }
            // The packs work within halves too, which puts the bytes back in order.
            const __m256i packed = _mm256_packus_epi16(
                _mm256_packs_epi32(Quotients(s0, window), Quotients(s1, window)),
                _mm256_packs_epi32(Quotients(s2, window), Quotients(s3, window)));
            if (x + 32 <= bytes) {
                _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + x), packed);
            } else {
                alignas(32) uint8_t tail[32];
                _mm256_store_si256(reinterpret_cast<__m256i *>(tail), packed);
                std::memcpy(out + x, tail, size_t(bytes - x));
            }
        }
    }
}

#else

void HorizontalPassAVX2(PassSource, PassTarget, int, int, const WindowedContributors &) {}
void VerticalPassAVX2(PassSource, PassTarget, int, int, const WindowedContributors &) {}

#endif
