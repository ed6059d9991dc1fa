#include "imaging/ResamplingVector.h"

#include "imaging/PixelCombine.h"

#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>

// The 128-bit forms of the passes. The horizontal pass needs SSSE3 for its
// byte shuffles; this file is compiled for it (the program itself assumes
// only the x86-64 base) and is called only where the processor has it.
VISTRANO_TARGET_BEGIN("ssse3")

namespace {

struct SSE
{
    using Vec = __m128i;
    static constexpr int kRows = 1;
    static constexpr ptrdiff_t kBytes = 16;

    static Vec Zero() { return _mm_setzero_si128(); }
    static Vec Table(const int8_t *table) { return _mm_load_si128(reinterpret_cast<const __m128i *>(table)); }
    static Vec LoadRows(const uint8_t *p, ptrdiff_t) { return Load(p); }
    static Vec Load(const uint8_t *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); }
    static void Store(uint8_t *p, Vec v) { _mm_storeu_si128(reinterpret_cast<__m128i *>(p), v); }
    static Vec Broadcast32(int32_t v) { return _mm_set1_epi32(v); }
    static Vec Add32(Vec a, Vec b) { return _mm_add_epi32(a, b); }
    static Vec Madd16(Vec a, Vec b) { return _mm_madd_epi16(a, b); }
    static Vec Shuffle8(Vec a, Vec table) { return _mm_shuffle_epi8(a, table); }
    static Vec UnpackLo8(Vec a, Vec b) { return _mm_unpacklo_epi8(a, b); }
    static Vec UnpackHi8(Vec a, Vec b) { return _mm_unpackhi_epi8(a, b); }
    static Vec Packs32(Vec a, Vec b) { return _mm_packs_epi32(a, b); }
    static Vec Packus16(Vec a, Vec b) { return _mm_packus_epi16(a, b); }
    static Vec Quotients(Vec sums, const ContributorWindow &window)
    {
        if (window.total != 0)
            return _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sums), _mm_set1_ps(window.reciprocal)));
        return _mm_srli_epi32(sums, 8);
    }
    static int32_t Lane(Vec v, int) { return _mm_cvtsi128_si32(v); }
};

} // namespace

#include "imaging/ResamplingVectorPasses.h"

void HorizontalPassSSSE3(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                         const WindowedContributors &columns)
{
    HorizontalPassVector<SSE>(source, intermediate, rowBegin, rowEnd, columns);
}

void VerticalPassSSSE3(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                       const WindowedContributors &rows)
{
    VerticalPassVector<SSE>(intermediate, target, rowBegin, rowEnd, rows);
}

VISTRANO_TARGET_END

#else

void HorizontalPassSSSE3(PassSource, PassTarget, int, int, const WindowedContributors &) {}
void VerticalPassSSSE3(PassSource, PassTarget, int, int, const WindowedContributors &) {}

#endif
