#include "imaging/decoders/CCITTCodeTables.h"
#include "imaging/decoders/CCITTFax3Decoder.h"
#include "imaging/decoders/CCITTFax4Decoder.h"
#include "imaging/decoders/CCITTMHDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bits(const std::string &text)
{
    std::vector<uint8_t> bytes;
    int count = 0;
    for (char c : text) {
        if (c != '0' && c != '1')
            continue;
        if (count % 8 == 0)
            bytes.push_back(0);
        if (c == '1')
            bytes.back() |= uint8_t(0x80 >> (count % 8));
        ++count;
    }
    return bytes;
}

std::vector<uint8_t> Unpack(TDecoder &decoder, const std::string &bits, size_t size)
{
    const auto packed = Bits(bits);
    std::vector<uint8_t> out(size, 0xEE);
    std::span<const uint8_t> source(packed);
    decoder.Decode(source, out, size);
    EXPECT_EQ(source.size(), packed.size());
    return out;
}

bool PrefixFree(const TCCITTRunCode *codes, int count, const TCCITTRunCode *more, int moreCount)
{
    std::vector<std::string> all;
    for (int i = 0; i < count; ++i)
        all.emplace_back(codes[i].bits);
    for (int i = 0; i < moreCount; ++i)
        all.emplace_back(more[i].bits);
    all.emplace_back("000000000001"); // EOL
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = 0; j < all.size(); ++j)
            if (i != j && all[j].compare(0, all[i].size(), all[i]) == 0)
                return false;
    return true;
}

} // namespace

TEST(TCCITTDecoder, CodeTablesAreCompleteAndPrefixFree)
{
    EXPECT_EQ(kCCITTWhiteCodeCount, 64 + 27);
    EXPECT_EQ(kCCITTBlackCodeCount, 64 + 27);
    EXPECT_EQ(kCCITTExtendedMakeUpCodeCount, 13);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(kCCITTWhiteCodes[i].run, i);
        EXPECT_EQ(kCCITTBlackCodes[i].run, i);
    }
    EXPECT_TRUE(PrefixFree(kCCITTWhiteCodes, kCCITTWhiteCodeCount, kCCITTExtendedMakeUpCodes, kCCITTExtendedMakeUpCodeCount));
    EXPECT_TRUE(PrefixFree(kCCITTBlackCodes, kCCITTBlackCodeCount, kCCITTExtendedMakeUpCodes, kCCITTExtendedMakeUpCodeCount));
}

TEST(TCCITTDecoder, ModifiedHuffmanRowsStartOnByteBoundaries)
{
    // Width 8: white 3 (1000), black 2 (11), white 3 (1000), then padding;
    // row 2: white 0 (00110101), black 8 (000101).
    TCCITTMHDecoder decoder(8);
    const auto out = Unpack(decoder, "1000 11 1000 000000  00110101 000101 00", 3);
    EXPECT_EQ(out, (std::vector<uint8_t>{0x18, 0xFF, 0xEE})) << "a third row is not there: left as it was";
    // Make-up codes: width 2600 white = 2560 (000000011111) + 40 (00101001).
    TCCITTMHDecoder wide(2600);
    const auto row = Unpack(wide, "000000011111 00101001", 325);
    EXPECT_TRUE(std::all_of(row.begin(), row.end(), [](uint8_t b) { return b == 0; }));
}

TEST(TCCITTDecoder, Group3SkipsEOLsFillBitsAndRecoversAfterADamagedRow)
{
    // EOL, row (white 3, black 2, white 3); EOL with fill bits; a bad row
    // (white 3, then a code that is no black code); EOL, row (black 8 after
    // white 0).
    TCCITTFax3Decoder decoder(8, 0);
    const auto out = Unpack(decoder,
                         "000000000001 1000 11 1000"
                         " 0000000 000000000001 1000 0000000000"
                         " 000000000001 00110101 000101",
                         3);
    EXPECT_EQ(out[0], 0x18);
    EXPECT_EQ(out[1], 0x00) << "the damaged row keeps what was decoded: three white pixels";
    EXPECT_EQ(out[2], 0xFF);
}

TEST(TCCITTDecoder, TwoDimensionalModesAgainstTheReferenceLine)
{
    // Width 8. Row 1 (1-D after tag bit 1): white 2, black 4, white 2:
    // changes at 2 and 6. Row 2 (2-D, tag 0): V0 (a1 = b1 = 2), VR1 (a1 =
    // 6 + 1 = 7), V0 on b1 = 8 (the row's end). Row 2 is then white 2,
    // black 5, white 1.
    TCCITTFax3Decoder decoder(8, 1);
    const auto out = Unpack(decoder,
                         "000000000001 1 0111 011 0111"
                         " 000000000001 0 1 011 1",
                         2);
    EXPECT_EQ(out[0], 0x3C);
    EXPECT_EQ(out[1], 0x3E);

    // Group 4: the first row against white: horizontal mode white 2 black 4
    // (001 0111 011), then V0 to the end (b1 = 8). The second row V0 V0 V0
    // repeats the first.
    TCCITTFax4Decoder group4(8);
    const auto rows = Unpack(group4, "001 0111 011 1   1 1 1", 3);
    EXPECT_EQ(rows[0], 0x3C);
    EXPECT_EQ(rows[1], 0x3C);
    EXPECT_EQ(rows[2], 0xEE) << "no third row in the data";
}

TEST(TCCITTDecoder, NothingIsWrittenBeyondTheRowsAsked)
{
    TCCITTMHDecoder decoder(8);
    std::vector<uint8_t> out(4, 0xEE);
    const auto packed = Bits("1000 11 1000 000000 1000 11 1000 000000 1000 11 1000 000000");
    std::span<const uint8_t> source(packed);
    EXPECT_EQ(decoder.Decode(source, out, 2), 2u);
    EXPECT_EQ(out, (std::vector<uint8_t>{0x18, 0x18, 0xEE, 0xEE}));
}
