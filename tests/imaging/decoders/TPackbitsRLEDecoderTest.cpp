#include "imaging/decoders/PackbitsRLEDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Unpack(std::vector<uint8_t> packed, size_t wanted, size_t destSize, size_t *written = nullptr)
{
    std::vector<uint8_t> dest(destSize, 0xEE);
    std::span<const uint8_t> source(packed);
    TPackbitsRLEDecoder decoder;
    const size_t n = decoder.Decode(source, dest, wanted);
    EXPECT_EQ(source.size(), packed.size()) << "the source position stays where it was";
    if (written)
        *written = n;
    return dest;
}

} // namespace

TEST(TPackbitsRLEDecoder, RunThenLiteralStopsWhenEnoughIsWritten)
{
    size_t written = 0;
    EXPECT_EQ(Unpack({0xFE, 0x41, 0x02, 0x61, 0x62, 0x63, 0x80}, 6, 6, &written),
              (std::vector<uint8_t>{0x41, 0x41, 0x41, 0x61, 0x62, 0x63}));
    EXPECT_EQ(written, 6u);
}

TEST(TPackbitsRLEDecoder, NoOpHeaderAndLongestPackets)
{
    std::vector<uint8_t> packed{0x80, 0x81, 0x07}; // no-op, then 128 times 07
    packed.push_back(0x7F);                         // 128 literal bytes
    for (int i = 0; i < 128; ++i)
        packed.push_back(uint8_t(i));
    const auto out = Unpack(packed, 256, 256);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(out[i], 0x07) << i;
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(out[128 + i], i) << i;
}

TEST(TPackbitsRLEDecoder, NeverWritesPastTheWantedCountOrTheDestination)
{
    // A run of 128 and a literal of 4 into 3 wanted bytes of a 5-byte buffer.
    EXPECT_EQ(Unpack({0x81, 0x55}, 3, 5), (std::vector<uint8_t>{0x55, 0x55, 0x55, 0xEE, 0xEE}));
    EXPECT_EQ(Unpack({0x03, 1, 2, 3, 4}, 2, 4), (std::vector<uint8_t>{1, 2, 0xEE, 0xEE}));
    // More wanted than the destination holds: the destination bounds it.
    EXPECT_EQ(Unpack({0x81, 0x55}, 100, 2), (std::vector<uint8_t>{0x55, 0x55}));
}

TEST(TPackbitsRLEDecoder, PackedDataEndingEarlyLeavesTheRestAsItWas)
{
    size_t written = 0;
    // A literal that promises 5 bytes but has 2, a run header without its value.
    EXPECT_EQ(Unpack({0x04, 0x0A, 0x0B}, 8, 4, &written), (std::vector<uint8_t>{0x0A, 0x0B, 0xEE, 0xEE}));
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(Unpack({0x00, 0x0A, 0xFD}, 8, 4, &written), (std::vector<uint8_t>{0x0A, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(Unpack({}, 8, 2, &written), (std::vector<uint8_t>{0xEE, 0xEE}));
    EXPECT_EQ(written, 0u);
}
