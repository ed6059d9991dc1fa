#include "imaging/decoders/PCDDecoder.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PCDDecoder, SplitsGroupsAndInterpolatesChroma)
{
    // Width 4: two groups of two luma rows, then C1 and C2 at half width.
    const std::vector<uint8_t> packed = {
        // group 0
        10, 11, 12, 13, 20, 21, 22, 23, /*C1*/ 100, 200, /*C2*/ 50, 150,
        // group 1
        30, 31, 32, 33, 40, 41, 42, 43, /*C1*/ 120, 220, /*C2*/ 70, 170,
    };
    std::vector<uint8_t> out(4 * 4 * 3 + 3, 0xEE);
    std::span<const uint8_t> source(packed);
    TPCDDecoder decoder(4);
    ASSERT_EQ(decoder.Decode(source, out, 48), 48u);
    EXPECT_EQ(source.size(), packed.size());
    EXPECT_EQ(out[48], 0xEE) << "nothing past the amount wanted";

    auto pixel = [&](int x, int y) {
        const size_t i = size_t(y * 4 + x) * 3;
        return std::vector<int>{out[i], out[i + 1], out[i + 2]};
    };
    // Chroma samples sit on the even pixels of the even rows; the others are
    // the means of their neighbours, the last column and row repeat.
    EXPECT_EQ(pixel(0, 0), (std::vector<int>{10, 100, 50}));
    EXPECT_EQ(pixel(1, 0), (std::vector<int>{11, 150, 100}));
    EXPECT_EQ(pixel(2, 0), (std::vector<int>{12, 200, 150}));
    EXPECT_EQ(pixel(3, 0), (std::vector<int>{13, 200, 150}));
    EXPECT_EQ(pixel(0, 1), (std::vector<int>{20, 110, 60}));
    EXPECT_EQ(pixel(1, 1), (std::vector<int>{21, 160, 110}));
    EXPECT_EQ(pixel(0, 2), (std::vector<int>{30, 120, 70}));
    EXPECT_EQ(pixel(0, 3), (std::vector<int>{40, 120, 70}));
    EXPECT_EQ(pixel(3, 3), (std::vector<int>{43, 220, 170}));
}

TEST(PCDDecoder, StopsAtWholeRowsOfTheSmallerSide)
{
    const std::vector<uint8_t> packed(12 + 5, 7); // one group and a stray tail
    std::vector<uint8_t> out(100, 0xEE);
    std::span<const uint8_t> source(packed);
    TPCDDecoder decoder(4);
    EXPECT_EQ(decoder.Decode(source, out, 100), 24u) << "two rows from the one whole group";
    EXPECT_EQ(out[24], 0xEE);
    EXPECT_EQ(decoder.Decode(source, std::span<uint8_t>(out).first(20), 100), 12u) << "one row fits";
    TPCDDecoder odd(3);
    EXPECT_EQ(odd.Decode(source, out, 100), 0u) << "an odd width has no chroma layout";
}
