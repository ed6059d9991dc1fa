#include "imaging/decoders/SGIRLEDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Unpack(int bits, const std::vector<uint8_t> &packed, size_t destSize, size_t *written = nullptr)
{
    std::vector<uint8_t> out(destSize, 0xEE);
    std::span<const uint8_t> source(packed);
    const size_t count = TSGIRLEDecoder(bits).Decode(source, out, destSize);
    EXPECT_EQ(source.size(), packed.size());
    if (written)
        *written = count;
    return out;
}

} // namespace

TEST(TSGIRLEDecoder, Unpacks8BitRowsUpToTheEndMark)
{
    size_t written = 0;
    EXPECT_EQ(Unpack(8, {0x82, 0x0A, 0x0B, 0x03, 0x0C, 0x00, 0x81, 0x55}, 7, &written),
              (std::vector<uint8_t>{0x0A, 0x0B, 0x0C, 0x0C, 0x0C, 0xEE, 0xEE}));
    EXPECT_EQ(written, 5u) << "decoding stops at the 00";
}

TEST(TSGIRLEDecoder, Unpacks16BitSamplesInTheFileByteOrder)
{
    // Literal of 2 samples, then a run of 3 of 0x1234, then the end word.
    EXPECT_EQ(Unpack(16, {0x00, 0x82, 0xAB, 0xCD, 0x01, 0x02, 0x00, 0x03, 0x12, 0x34, 0x00, 0x00}, 10),
              (std::vector<uint8_t>{0xAB, 0xCD, 0x01, 0x02, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34}));
}

TEST(TSGIRLEDecoder, CutsPacketsAtTheDestination)
{
    EXPECT_EQ(Unpack(8, {0x7F, 0x01}, 4), (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(Unpack(8, {0xFF, 1, 2, 3, 4, 5, 6}, 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(Unpack(16, {0x00, 0x7F, 0x12, 0x34}, 5), (std::vector<uint8_t>{0x12, 0x34, 0x12, 0x34, 0xEE}));
    // A literal that runs past the packed data writes what is there.
    EXPECT_EQ(Unpack(8, {0x85, 1, 2}, 4), (std::vector<uint8_t>{1, 2, 0xEE, 0xEE}));
    EXPECT_EQ(Unpack(12, {0x85, 1, 2}, 2), (std::vector<uint8_t>{0xEE, 0xEE}));
}
