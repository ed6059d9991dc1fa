#include "imaging/ResamplingVector.h"

#include "imaging/PixelCombine.h"

#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>

// The 256-bit forms of the passes, compiled for AVX2 and called only where
// the processor has it. The horizontal pass takes two source rows at a time,
// one in each 128-bit half: both halves take the same weights, so a weight
// pair is one broadcast and the shuffle unit only unpacks pixels. The
// vertical pass takes 32 bytes of a row at a time.
VISTRANO_TARGET_BEGIN("avx2")

namespace {

struct AVX2
{
    using Vec = __m256i;
    static constexpr int kRows = 2;
    static constexpr ptrdiff_t kBytes = 32;

    static Vec Zero() { return _mm256_setzero_si256(); }
    static Vec Table(const int8_t *table)
    {
        return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(table)));
    }
    static Vec LoadRows(const uint8_t *p, ptrdiff_t toNext)
    {
        return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p))),
                                       _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + toNext)), 1);
    }
    static Vec Load(const uint8_t *p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p)); }
    static void Store(uint8_t *p, Vec v) { _mm256_storeu_si256(reinterpret_cast<__m256i *>(p), v); }
    static Vec Broadcast32(int32_t v) { return _mm256_set1_epi32(v); }
    static Vec Add32(Vec a, Vec b) { return _mm256_add_epi32(a, b); }
    static Vec Madd16(Vec a, Vec b) { return _mm256_madd_epi16(a, b); }
    static Vec Shuffle8(Vec a, Vec table) { return _mm256_shuffle_epi8(a, table); }
    static Vec UnpackLo8(Vec a, Vec b) { return _mm256_unpacklo_epi8(a, b); }
    static Vec UnpackHi8(Vec a, Vec b) { return _mm256_unpackhi_epi8(a, b); }
    static Vec Packs32(Vec a, Vec b) { return _mm256_packs_epi32(a, b); }
    static Vec Packus16(Vec a, Vec b) { return _mm256_packus_epi16(a, b); }
    static Vec Quotients(Vec sums, const ContributorWindow &window)
    {
        if (window.total != 0)
            return _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_cvtepi32_ps(sums), _mm256_set1_ps(window.reciprocal)));
        return _mm256_srli_epi32(sums, 8);
    }
    static int32_t Lane(Vec v, int row)
    {
        return _mm_cvtsi128_si32(row == 0 ? _mm256_castsi256_si128(v) : _mm256_extracti128_si256(v, 1));
    }
};

} // namespace

#include "imaging/ResamplingVectorPasses.h"

void HorizontalPassAVX2(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                        const WindowedContributors &columns)
{
    const int rest = HorizontalPassVector<AVX2>(source, intermediate, rowBegin, rowEnd, columns);
    // A last odd row goes to the 128-bit code.
    if (rest < rowEnd)
        HorizontalPassSSSE3(source, intermediate, rest, rowEnd, columns);
}

void VerticalPassAVX2(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                      const WindowedContributors &rows)
{
    VerticalPassVector<AVX2>(intermediate, target, rowBegin, rowEnd, rows);
}

VISTRANO_TARGET_END

#else

void HorizontalPassAVX2(PassSource, PassTarget, int, int, const WindowedContributors &) {}
void VerticalPassAVX2(PassSource, PassTarget, int, int, const WindowedContributors &) {}

#endif
