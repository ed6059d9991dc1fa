#pragma once

#include "imaging/Contributors.h"

#include <cstdint>
#include <vector>

// The contributors of one target position rearranged for the vector code:
// one weight for every source position of a run of consecutive positions
// (weights of a position that occurs twice after mirroring are added, and
// positions between contributors get weight 0). Because the sums are exact
// integer sums, this gives the same sums as the contributor list.
struct ContributorWindow
{
    int32_t start = 0;        // first source position of the run
    int32_t length = 0;       // positions in the run, a multiple of the granule
    int32_t weightOffset = 0; // index of its first weight in WindowedContributors::weights
    int32_t total = 0;        // sum of the weights, as in the contributor list
    // 1 / total rounded away from zero. With the limits checked by
    // WindowIsPacked, truncating sum * reciprocal in single precision gives
    // the truncated quotient sum / total for every quotient from 0 to 255,
    // a quotient of 256 or more for larger ones and 0 or less for negative
    // ones, so after clamping to 0..255 the pixel is exact.
    float reciprocal = 0.0f;
    // False when the entry does not fit the vector code (a weight outside
    // 16 bits, a sum that might leave the exact range of the reciprocal, or
    // a run that does not fit into the line): such an entry is combined by
    // the scalar code from the contributor list.
    bool packed = false;
};

struct WindowedContributors
{
    ContributorList entries;
    std::vector<ContributorWindow> windows;
    std::vector<int16_t> weights;
};

// Builds the windows of all entries for lines of sourceLength positions; the
// run lengths are rounded up to a multiple of granule and the runs are moved,
// where needed, to lie within the line.
WindowedContributors MakeContributorWindows(ContributorList entries, int32_t sourceLength, int32_t granule);

// The largest sum of weight magnitudes for which the reciprocal division of
// ContributorWindow is exact (the 8-bit samples keep each sum below 2^20).
constexpr int32_t kMaxPackedWeightSum = 4096;
