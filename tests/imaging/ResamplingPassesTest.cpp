// The pixel passes on hand-made contributor lists that real pictures hardly
// produce: totals of 0 with negative sums, negative totals, weights beyond
// 16 bits, empty entries and runs as long as the line.

#include "imaging/ResamplingPasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const int kLine = 12;

// The value of one channel by the rule: truncated quotient, or the sum
// shifted right by 8 as an unsigned value when the total is 0; clamped.
int Expected(const std::vector<Contributor> &entry, const std::vector<int> &samples)
{
    int64_t sum = 0, total = 0;
    for (const Contributor &c : entry) {
        sum += int64_t(c.weight) * samples[c.index];
        total += c.weight;
    }
    const int64_t value = total != 0 ? sum / total : int64_t(uint32_t(int32_t(sum)) >> 8);
    return int(std::clamp<int64_t>(value, 0, 255));
}

ContributorList OddEntries()
{
    return {
        {{256, 0}, {-256, 1}},       // total 0, sum 256 (p0 - p1): p1 > p0 gives a huge unsigned value
        {{256, 3}, {-256, 2}},       // total 0 with a positive sum: p3 - p2
        {},                          // nothing contributes: black
        {{300, 2}, {-100, 3}},       // total 200
        {{-50, 5}},                  // negative total
        {{40000, 1}, {-39744, 2}},   // beyond 16 bits: the scalar code takes it
        {{1, 0}, {255, kLine - 1}},  // a run as long as the line
        {{128, 10}, {128, 11}, {5, 11}},
    };
}

std::vector<int> Samples(int channel, int line)
{
    std::vector<int> samples(kLine);
    for (int i = 0; i < kLine; ++i)
        samples[i] = (i * 89 + channel * 37 + line * 53) % 256;
    samples[1] = 250; // above p0 and p2
    return samples;
}

} // namespace

TEST(ResamplingPasses, EveryPathCombinesOddContributorListsByTheRule)
{
    const ContributorList entries = OddEntries();
    const int count = int(entries.size());
    for (PixelPath path : {PixelPath::Scalar, PixelPath::SSSE3, PixelPath::AVX2}) {
        if (!PixelPathAvailable(path))
            continue;
        // Across: two source rows of kLine pixels (no padding after the
        // last row, so reading past the line would be caught by tools).
        std::vector<uint8_t> source(size_t(2 * kLine * 3));
        for (int y = 0; y < 2; ++y)
            for (int c = 0; c < 3; ++c)
                for (int x = 0; x < kLine; ++x)
                    source[size_t((y * kLine + x) * 3 + c)] = uint8_t(Samples(c, y)[x]);
        const WindowedContributors columns = MakeContributorWindows(entries, kLine, kHorizontalGranule);
        const ptrdiff_t stride = IntermediateStride(count);
        std::vector<uint8_t> across(size_t(stride * 2), 0xAA);
        HorizontalPass({source.data(), kLine * 3, kLine}, {across.data(), stride, count}, 0, 2, columns, path);
        for (int y = 0; y < 2; ++y)
            for (int i = 0; i < count; ++i)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(across[size_t(y * stride + i * 3 + c)], Expected(entries[i], Samples(c, y)))
                        << "path " << int(path) << " row " << y << " entry " << i << " channel " << c;
        EXPECT_EQ(across[size_t(stride - 1)], 0) << "the row tail is cleared";

        // Down: kLine intermediate rows of two pixels.
        const ptrdiff_t downStride = IntermediateStride(2);
        std::vector<uint8_t> intermediate(size_t(downStride * kLine), 0);
        for (int y = 0; y < kLine; ++y)
            for (int x = 0; x < 2; ++x)
                for (int c = 0; c < 3; ++c)
                    intermediate[size_t(y * downStride + x * 3 + c)] = uint8_t(Samples(c, x)[y]);
        const WindowedContributors rows = MakeContributorWindows(entries, kLine, kVerticalGranule);
        std::vector<uint8_t> target(size_t(count * 8), 0xAA);
        VerticalPass({intermediate.data(), downStride, 2}, {target.data(), 8, 2}, 0, count, rows, path);
        for (int i = 0; i < count; ++i) {
            for (int x = 0; x < 2; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(target[size_t(i * 8 + x * 3 + c)], Expected(entries[i], Samples(c, x)))
                        << "path " << int(path) << " target row " << i << " pixel " << x << " channel " << c;
            EXPECT_EQ(target[size_t(i * 8 + 6)], 0xAA) << "nothing is written past the row's pixels";
        }
    }
}

TEST(ResamplingPasses, WindowsHoldTheMergedWeightsOfTheList)
{
    // Mirrored positions can name one pixel twice; the window adds them.
    const ContributorList entries{{{-3, 1}, {40, 0}, {180, 1}, {40, 2}, {-3, 3}, {2, 1}}};
    const WindowedContributors windows = MakeContributorWindows(entries, 10, 4);
    const ContributorWindow &window = windows.windows[0];
    ASSERT_TRUE(window.packed);
    EXPECT_EQ(window.start, 0);
    EXPECT_EQ(window.length, 4);
    EXPECT_EQ(window.total, 256);
    const std::vector<int16_t> weights(windows.weights.begin() + window.weightOffset,
                                       windows.weights.begin() + window.weightOffset + 4);
    EXPECT_EQ(weights, (std::vector<int16_t>{40, 179, 40, -3}));
    EXPECT_GE(window.reciprocal, 1.0f / 256.0f);

    // A run near the end of the line moves back to stay inside it.
    const WindowedContributors late = MakeContributorWindows({{{100, 9}, {156, 8}}}, 10, 8);
    EXPECT_EQ(late.windows[0].start, 2);
    EXPECT_EQ(late.windows[0].length, 8);
    // A run longer than the line cannot be packed.
    EXPECT_FALSE(MakeContributorWindows({{{256, 1}}}, 3, 4).windows[0].packed);
}
