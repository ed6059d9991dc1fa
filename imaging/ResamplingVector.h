#pragma once

#include "imaging/ResamplingPasses.h"

// The vector forms of the passes; each may only be called when
// PixelPathAvailable says its instruction set is there.
void HorizontalPassSSSE3(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                         const WindowedContributors &columns);
void VerticalPassSSE2(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                      const WindowedContributors &rows);
void HorizontalPassAVX2(PassSource source, PassTarget intermediate, int rowBegin, int rowEnd,
                        const WindowedContributors &columns);
void VerticalPassAVX2(PassSource intermediate, PassTarget target, int rowBegin, int rowEnd,
                      const WindowedContributors &rows);

// Zeroes the bytes of an intermediate row after its pixels, so that the
// vertical pass reads defined bytes when it works in whole vectors.
void ClearRowTail(PassTarget row, uint8_t *rowBits);

// How the horizontal vector code loads the pixels of a window: 0 from its
// first pixel, 1 from 4 bytes earlier (where loads of 16 bytes from the first
// pixel would reach past the end of the line), -1 not at all (the line is
// too short around the window: the scalar code combines it).
int HorizontalLoadShift(const ContributorWindow &window, int lineLength);

// Shuffles that turn four 3-byte pixels of a 16-byte load into the 16-bit
// lanes (b0 b1 g0 g1 r0 r1 0 0) and (b2 b3 g2 g3 r2 r3 0 0), for a load from
// the first pixel (row 0) or from 4 bytes before it (row 1).
extern const int8_t kHorizontalPairsLow[2][16];
extern const int8_t kHorizontalPairsHigh[2][16];

// One target row of the vertical pass that the vector code cannot take,
// combined pixel by pixel from the contributor list.
void VerticalRowScalar(PassSource intermediate, uint8_t *out, int width, const std::vector<Contributor> &entry);
