#include "imaging/decoders/PCXRLEDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Unpack(const std::vector<uint8_t> &packed, size_t wanted, size_t destSize)
{
    std::vector<uint8_t> out(destSize, 0xEE);
    std::span<const uint8_t> source(packed);
    const size_t written = TPCXRLEDecoder().Decode(source, out, wanted);
    EXPECT_EQ(source.size(), packed.size());
    EXPECT_LE(written, std::min(wanted, destSize));
    return out;
}

} // namespace

TEST(TPCXRLEDecoder, UnpacksRunsAndLiterals)
{
    EXPECT_EQ(Unpack({0xC3, 0x41, 0x42}, 4, 4), (std::vector<uint8_t>{0x41, 0x41, 0x41, 0x42}));
    // A byte of 192 or more is stored as a run of one; a count of 0 writes
    // nothing but uses its value byte.
    EXPECT_EQ(Unpack({0xC1, 0xC5, 0xC0, 0x77, 0x10}, 2, 2), (std::vector<uint8_t>{0xC5, 0x10}));
}

TEST(TPCXRLEDecoder, StopsAtTheBytesWantedAndAtTheEndOfData)
{
    // The run of 63 is cut at 5 bytes; nothing beyond is touched.
    EXPECT_EQ(Unpack({0xFF, 0x09, 0x01}, 5, 7), (std::vector<uint8_t>{9, 9, 9, 9, 9, 0xEE, 0xEE}));
    // Dest smaller than the count wanted bounds the output.
    EXPECT_EQ(Unpack({0xC4, 0x03}, 100, 2), (std::vector<uint8_t>{3, 3}));
    // A run header without its value byte writes nothing.
    EXPECT_EQ(Unpack({0x01, 0xC4}, 5, 3), (std::vector<uint8_t>{1, 0xEE, 0xEE}));
}
