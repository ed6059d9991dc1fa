#pragma once

#include "imaging/ContributorWindows.h"

#include <cstddef>
#include <cstdint>

// The two pixel passes of the resampler and the instruction sets they can
// use. All paths give the same bytes: they differ in loop order and
// instructions only, never in arithmetic.
enum class PixelPath { Scalar, SSSE3, AVX2 };

bool PixelPathAvailable(PixelPath path);
// The fastest path this processor runs.
PixelPath BestPixelPath();
// The run granule of the contributor windows the passes expect: the
// horizontal vector code takes pixels in groups of four, the vertical code
// rows in pairs.
constexpr int32_t kHorizontalGranule = 4;
constexpr int32_t kVerticalGranule = 2;

// Row distance of the intermediate picture: room for every 3-byte pixel,
// one spare byte for 4-byte stores and whole vectors of 32 bytes. The
// horizontal pass zeroes the bytes after the pixels.
ptrdiff_t IntermediateStride(int width);

// Rows of 3-byte pixels. Row `firstRow` starts at bits, the others follow
// stride apart; the vertical pass may be handed a window of a picture's
// rows (a ring of recent rows) by naming the row index bits stands for.
struct PassSource
{
    const uint8_t *bits;
    ptrdiff_t stride;
    int width;
    int firstRow = 0;
};

struct PassTarget
{
    uint8_t *bits;
    ptrdiff_t stride;
    int width;
};

// Rows rowBegin..rowEnd-1 of the source, resampled across into the same
// rows of the intermediate (width = number of horizontal windows).
void HorizontalPass(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                    const WindowedContributors &columns, PixelPath path);

// Target rows rowBegin..rowEnd-1, each combined from rows of the
// intermediate, which must have the stride IntermediateStride(width) and
// hold every row from firstRow that the rows' windows and contributors name.
void VerticalPass(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                  const WindowedContributors &rows, PixelPath path);
