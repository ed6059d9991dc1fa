#include "imaging/Contributors.h"

#include "common/Rounding.h"
#include "imaging/ResamplingFilters.h"

#include <algorithm>
#include <cmath>

// Every quantity below is a single-precision value computed one operation
// at a time, as the weights depend on the last bit: the scale, the centre
// i / scale, the support width radius / scale, the ends Center - w and
// Center + w before Floor and Ceil, the kernel argument (Center - j) * scale,
// and the product f * scale, which is rounded to single precision before the
// exact multiplication by 256 and the rounding to an integer (ties to even).
// This file is compiled with -ffp-contract=off.

float ResamplingScale(int targetLength, int sourceLength)
{
    if (sourceLength == 1 || targetLength == 1)
        return static_cast<float>(targetLength) / static_cast<float>(sourceLength);
    return static_cast<float>(targetLength - 1) / static_cast<float>(sourceLength - 1);
}

int32_t MirrorIndex(int64_t position, int32_t length)
{
    int64_t index = position;
    if (index < 0)
        index = -index;
    else if (index >= length)
        index = 2 * int64_t(length) - 1 - index;
    return static_cast<int32_t>(std::clamp<int64_t>(index, 0, length - 1));
}

ContributorList BuildContributors(int targetLength, int sourceLength, ResamplingFilter filter, float radius)
{
    const float scale = ResamplingScale(targetLength, sourceLength);
    const bool shrinking = scale < 1.0f;
    const float width = shrinking ? radius / scale : radius;

    // Positions further from the centre than the kernel's own support give
    // the weight 0 and would be dropped, whatever the radius; leaving them out
    // of the loop keeps a huge radius from costing time (and keeps the range
    // within integers). The margin of one source pixel's worth of kernel
    // argument is far wider than any rounding of the argument.
    const double reach = (double(FilterSupport(filter)) + 1.0) / (shrinking ? double(scale) : 1.0);

    ContributorList list(static_cast<size_t>(targetLength));
    for (int i = 0; i < targetLength; ++i) {
        const float center = static_cast<float>(i) / scale;
        // Clamped on both sides, so that an infinite radius of either sign
        // still gives integer ends (an empty range where first > last).
        const double lowest = std::floor(double(center) - reach);
        const double highest = std::ceil(double(center) + reach);
        const double first = std::clamp<double>(std::floor(center - width), lowest, highest + 1);
        const double last = std::clamp<double>(std::ceil(center + width), lowest - 1, highest);
        std::vector<Contributor> &entry = list[static_cast<size_t>(i)];
        for (int64_t j = static_cast<int64_t>(first); j <= static_cast<int64_t>(last); ++j) {
            const float distance = center - static_cast<float>(j);
            int64_t weight;
            if (shrinking)
                weight = RoundHalfEven(FilterKernel(filter, distance * scale) * scale * 256.0f);
            else
                weight = RoundHalfEven(FilterKernel(filter, distance) * 256.0f);
            if (weight == 0)
                continue;
            entry.push_back({static_cast<int32_t>(weight), MirrorIndex(j, sourceLength)});
        }
    }
    return list;
}
