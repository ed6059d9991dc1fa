#include "imaging/ResamplingPasses.h"

#include "imaging/PixelCombine.h"
#include "imaging/ResamplingVector.h"

#include <cstring>

bool PixelPathAvailable(PixelPath path)
{
    switch (path) {
    case PixelPath::Scalar: return true;
#if defined(__x86_64__) || defined(__i386__)
    case PixelPath::SSSE3: return __builtin_cpu_supports("ssse3");
    case PixelPath::AVX2: return __builtin_cpu_supports("avx2");
#else
    case PixelPath::SSSE3:
    case PixelPath::AVX2: return false;
#endif
    }
    return false;
}

PixelPath BestPixelPath()
{
    static const PixelPath best = PixelPathAvailable(PixelPath::AVX2)    ? PixelPath::AVX2
                                  : PixelPathAvailable(PixelPath::SSSE3) ? PixelPath::SSSE3
                                                                         : PixelPath::Scalar;
    return best;
}

ptrdiff_t IntermediateStride(int width)
{
    return (ptrdiff_t(width) * 3 + 1 + 31) / 32 * 32;
}

void ClearRowTail(PassTarget row, uint8_t *rowBits)
{
    const ptrdiff_t used = ptrdiff_t(row.width) * 3;
    std::memset(rowBits + used, 0, static_cast<size_t>(row.stride - used));
}

const uint8_t *IntermediateRow(PassSource intermediate, int32_t row)
{
    return intermediate.bits + ptrdiff_t(row - intermediate.firstRow) * intermediate.stride;
}

void VerticalRowScalar(PassSource intermediate, uint8_t *out, int width, const std::vector<Contributor> &entry)
{
    for (int x = 0; x < width; ++x) {
        const ptrdiff_t offset = ptrdiff_t(x) * 3;
        CombineEntryOf(
            entry, [&](int32_t row) { return IntermediateRow(intermediate, row) + offset; }, out + offset);
    }
}

namespace {

void HorizontalPassScalar(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                          const WindowedContributors &columns)
{
    for (int y = rowBegin; y < rowEnd; ++y) {
        const uint8_t *line = source.bits + ptrdiff_t(y) * source.stride;
        uint8_t *out = intermediate.bits + ptrdiff_t(y) * intermediate.stride;
        for (int i = 0; i < intermediate.width; ++i)
            CombineEntry(columns.entries[size_t(i)], line, 3, out + ptrdiff_t(i) * 3);
        ClearRowTail(intermediate, out);
    }
}

// Row by row rather than column by column: each target row adds whole
// weighted intermediate rows, which gives the same integer sums.
void VerticalPassScalar(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                        const WindowedContributors &rows)
{
    const size_t count = size_t(target.width) * 3;
    std::vector<uint32_t> sums(count);
    for (int y = rowBegin; y < rowEnd; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        uint32_t total = 0;
        for (const Contributor &c : rows.entries[size_t(y)]) {
            const uint8_t *line = IntermediateRow(intermediate, c.index);
            const uint32_t weight = static_cast<uint32_t>(c.weight);
            for (size_t x = 0; x < count; ++x)
                sums[x] += weight * line[x];
            total += weight;
        }
        uint8_t *out = target.bits + ptrdiff_t(y) * target.stride;
        for (size_t x = 0; x < count; ++x)
            out[x] = FinishChannel(static_cast<int32_t>(sums[x]), static_cast<int32_t>(total));
    }
}

} // namespace

void HorizontalPass(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                    const WindowedContributors &columns, PixelPath path)
{
    switch (path) {
    case PixelPath::AVX2: HorizontalPassAVX2(source, intermediate, rowBegin, rowEnd, columns); return;
    case PixelPath::SSSE3: HorizontalPassSSSE3(source, intermediate, rowBegin, rowEnd, columns); return;
    case PixelPath::Scalar: break;
    }
    HorizontalPassScalar(source, intermediate, rowBegin, rowEnd, columns);
}

void VerticalPass(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                  const WindowedContributors &rows, PixelPath path)
{
    switch (path) {
    case PixelPath::AVX2: VerticalPassAVX2(intermediate, target, rowBegin, rowEnd, rows); return;
    case PixelPath::SSSE3: VerticalPassSSSE3(intermediate, target, rowBegin, rowEnd, rows); return;
    case PixelPath::Scalar: break;
    }
    VerticalPassScalar(intermediate, target, rowBegin, rowEnd, rows);
}
