#pragma once

#include "imaging/ResamplingPasses.h"

// What follows VISTRANO_TARGET_BEGIN("isa"), up to VISTRANO_TARGET_END, is
// compiled for that instruction set; the rest of the program assumes only
// the x86-64 base. Standard headers go before it, so that no inline code
// shared with other files is built for the wider set.
#define VISTRANO_PRAGMA(text) _Pragma(#text)
#if defined(__clang__)
#define VISTRANO_TARGET_BEGIN(isa) \
    VISTRANO_PRAGMA(clang attribute push(__attribute__((target(isa))), apply_to = function))
#define VISTRANO_TARGET_END VISTRANO_PRAGMA(clang attribute pop)
#else
#define VISTRANO_TARGET_BEGIN(isa) VISTRANO_PRAGMA(GCC push_options) VISTRANO_PRAGMA(GCC target(isa))
#define VISTRANO_TARGET_END VISTRANO_PRAGMA(GCC pop_options)
#endif

// The vector forms of the passes; each may only be called when
// PixelPathAvailable says its instruction set is there.
void HorizontalPassSSSE3(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                         const WindowedContributors &columns);
void VerticalPassSSSE3(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                       const WindowedContributors &rows);
void HorizontalPassAVX2(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                        const WindowedContributors &columns);
void VerticalPassAVX2(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                      const WindowedContributors &rows);

// Zeroes the bytes of an intermediate row after its pixels, so that the
// vertical pass reads defined bytes when it works in whole vectors.
void ClearRowTail(PassTarget row, uint8_t *rowBits);

// Where the row of that index starts in a pass's source.
const uint8_t *IntermediateRow(PassSource intermediate, int32_t row);

// One target row of the vertical pass that the vector code cannot take,
// combined pixel by pixel from the contributor list.
void VerticalRowScalar(PassSource intermediate, uint8_t *out, int width, const std::vector<Contributor> &entry);
