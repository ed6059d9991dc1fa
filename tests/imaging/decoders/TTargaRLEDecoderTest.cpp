#include "imaging/decoders/TargaRLEDecoder.h"

#include <gtest/gtest.h>

#include <vector>

TEST(TTargaRLEDecoder, UnpacksRunsAndLiteralsAndMovesTheSource)
{
    const std::vector<uint8_t> packed{0x81, 0x01, 0x02, 0x03, 0x00, 0x04, 0x05, 0x06, 0x99};
    std::vector<uint8_t> out(9);
    std::span<const uint8_t> source(packed);
    TTargaRLEDecoder decoder(24);
    EXPECT_EQ(decoder.Decode(source, out, 3), 9u);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(source.size(), 1u) << "the source is left behind the packets used";
    EXPECT_EQ(source[0], 0x99);
}

TEST(TTargaRLEDecoder, HandlesEveryDepth)
{
    struct Case
    {
        int depth;
        std::vector<uint8_t> packed, expected;
    };
    const Case cases[] = {
        {8, {0x82, 0x07, 0x01, 0x08, 0x09}, {7, 7, 7, 8, 9}},
        {15, {0x81, 0x34, 0x12, 0x00, 0x78, 0x56}, {0x34, 0x12, 0x34, 0x12, 0x78, 0x56}},
        {16, {0x80, 0xFF, 0x7F}, {0xFF, 0x7F}},
        {32, {0x81, 1, 2, 3, 4}, {1, 2, 3, 4, 1, 2, 3, 4}},
    };
    for (const Case &c : cases) {
        std::vector<uint8_t> out(c.expected.size());
        std::span<const uint8_t> source(c.packed);
        TTargaRLEDecoder decoder(c.depth);
        const size_t pixelBytes = c.depth == 8 ? 1 : c.depth <= 16 ? 2 : c.depth / 8;
        EXPECT_EQ(decoder.Decode(source, out, c.expected.size() / pixelBytes), c.expected.size()) << c.depth;
        EXPECT_EQ(out, c.expected) << c.depth;
        EXPECT_TRUE(source.empty()) << c.depth;
    }
    const std::vector<uint8_t> packed{0x80, 0x01};
    std::span<const uint8_t> source(packed);
    std::vector<uint8_t> out(4, 0);
    EXPECT_EQ(TTargaRLEDecoder(12).Decode(source, out, 1), 0u) << "an unknown depth unpacks nothing";
}

TEST(TTargaRLEDecoder, CutsPacketsAtThePixelsWantedAndAtTheDestination)
{
    // A run of 128 and a literal of 3 with 2 pixels wanted: the run is cut.
    const std::vector<uint8_t> packed{0xFF, 0x05, 0x02, 0x01, 0x02, 0x03};
    std::vector<uint8_t> buffer(6, 0xEE);
    std::span<const uint8_t> source(packed);
    TTargaRLEDecoder decoder(8);
    EXPECT_EQ(decoder.Decode(source, std::span<uint8_t>(buffer.data(), 4), 2), 2u);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{5, 5, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(source.size(), 4u);

    // More pixels wanted than dest holds: dest bounds the output.
    source = std::span<const uint8_t>(packed);
    EXPECT_EQ(decoder.Decode(source, std::span<uint8_t>(buffer.data(), 4), 1000), 4u);
    EXPECT_EQ(buffer[4], 0xEE);

    // Packed data that ends inside a packet writes what is there.
    const std::vector<uint8_t> shortLiteral{0x03, 0x01, 0x02};
    source = std::span<const uint8_t>(shortLiteral);
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    EXPECT_EQ(decoder.Decode(source, buffer, 4), 2u);
    EXPECT_EQ(buffer[2], 0xEE);
    EXPECT_TRUE(source.empty());
    const std::vector<uint8_t> shortRun{0x85, 0x01};
    source = std::span<const uint8_t>(shortRun);
    EXPECT_EQ(TTargaRLEDecoder(24).Decode(source, buffer, 2), 0u);
}
