#include "imaging/ContributorWindows.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

float ReciprocalAwayFromZero(int32_t total)
{
    const float reciprocal = 1.0f / static_cast<float>(total);
    return std::nextafter(reciprocal, total > 0 ? std::numeric_limits<float>::infinity()
                                                : -std::numeric_limits<float>::infinity());
}

} // namespace

WindowedContributors MakeContributorWindows(ContributorList entries, int32_t sourceLength, int32_t granule)
{
    WindowedContributors result;
    result.windows.resize(entries.size());
    std::vector<int32_t> merged;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::vector<Contributor> &entry = entries[i];
        ContributorWindow &window = result.windows[i];
        int64_t total = 0;
        int64_t magnitude = 0;
        int32_t lowest = sourceLength;
        int32_t highest = -1;
        for (const Contributor &c : entry) {
            total += c.weight;
            magnitude += std::abs(int64_t(c.weight));
            lowest = std::min(lowest, c.index);
            highest = std::max(highest, c.index);
        }
        // The scalar code sums in 32 bits with wrap-around; the window keeps
        // that total so that both agree even outside the packed limits.
        window.total = static_cast<int32_t>(static_cast<uint32_t>(total));
        window.reciprocal = window.total != 0 ? ReciprocalAwayFromZero(window.total) : 0.0f;
        if (entry.empty()) {
            lowest = 0;
            highest = -1;
        }
        const int32_t used = highest - lowest + 1;
        const int32_t length = std::max(granule, (used + granule - 1) / granule * granule);
        if (magnitude > kMaxPackedWeightSum || length > sourceLength)
            continue;
        window.start = std::clamp(lowest, 0, sourceLength - length);
        window.length = length;
        window.weightOffset = static_cast<int32_t>(result.weights.size());
        merged.assign(static_cast<size_t>(length), 0);
        for (const Contributor &c : entry)
            merged[static_cast<size_t>(c.index - window.start)] += c.weight;
        // Each merged weight is bounded by the magnitude sum, so it fits.
        for (int32_t w : merged)
            result.weights.push_back(static_cast<int16_t>(w));
        window.packed = true;
    }
    result.entries = std::move(entries);
    return result;
}
