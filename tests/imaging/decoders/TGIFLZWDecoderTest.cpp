#include "imaging/decoders/GIFLZWDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Packs codes least significant bit first, as GIF stores them.
class LSBBitWriter
{
public:
    void Put(unsigned code, unsigned width)
    {
        for (unsigned i = 0; i < width; ++i) {
            if (m_bit == 0)
                m_bytes.push_back(0);
            if (code >> i & 1)
                m_bytes.back() |= uint8_t(1u << m_bit);
            m_bit = (m_bit + 1) % 8;
        }
    }
    const std::vector<uint8_t> &Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    unsigned m_bit = 0;
};

std::vector<uint8_t> Unpack(int codeSize, const std::vector<uint8_t> &packed, size_t wanted, size_t destSize = 0)
{
    std::vector<uint8_t> out(destSize ? destSize : wanted, 0xEE);
    std::span<const uint8_t> source(packed);
    TGIFLZWDecoder decoder(codeSize);
    const size_t written = decoder.Decode(source, out, wanted);
    EXPECT_EQ(source.size(), packed.size()) << "the GIF member leaves the source position unchanged";
    out.resize(written);
    return out;
}

// Width of the next code after `literals` literal codes following a clear
// code with s = 8: every literal after the first adds one entry from 258 on.
unsigned WidthAfterLiterals(unsigned literals)
{
    const unsigned nextFree = 258 + (literals ? literals - 1 : 0);
    if (nextFree < 512)
        return 9;
    if (nextFree < 1024)
        return 10;
    if (nextFree < 2048)
        return 11;
    return 12;
}

} // namespace

TEST(TGIFLZWDecoder, UnpacksStringsAndTheCodeBeingDefined)
{
    // s = 2: clear 4, end 5, first free 6, width 3.
    LSBBitWriter w;
    w.Put(4, 3); // clear
    w.Put(1, 3); // "1"
    w.Put(6, 3); // not yet defined: "1" + "1" (entry 6 = 1 1)
    w.Put(2, 3); // "2", adds entry 7 = 1 1 2; the width becomes 4
    w.Put(7, 4); // "1 1 2"
    w.Put(6, 4); // "1 1"
    w.Put(5, 4); // end
    EXPECT_EQ(Unpack(2, w.Bytes(), 100), (std::vector<uint8_t>{1, 1, 1, 2, 1, 1, 2, 1, 1}));
}

TEST(TGIFLZWDecoder, SkipsTheEndCodeAndInvalidCodes)
{
    LSBBitWriter w;
    w.Put(256, 9);
    w.Put('A', 9);
    w.Put(257, 9); // end: passed over in GIF data
    w.Put(400, 9); // far beyond the next free index: skipped, no entry
    w.Put('B', 9); // adds 258 = A B
    w.Put(258, 9); // A B
    EXPECT_EQ(Unpack(8, w.Bytes(), 100), (std::vector<uint8_t>{'A', 'B', 'A', 'B'}));

    LSBBitWriter first;
    first.Put(258, 9); // the code being defined right after a clear has no previous string
    first.Put('C', 9);
    EXPECT_EQ(Unpack(8, first.Bytes(), 100), (std::vector<uint8_t>{'C'}));
}

TEST(TGIFLZWDecoder, WidthGrowsOnceEntry511HasBeenAdded)
{
    LSBBitWriter w;
    w.Put(256, 9);
    std::vector<uint8_t> expected;
    // 255 literals add entries 258 to 511; each is read with 9 bits.
    for (unsigned i = 0; i < 255; ++i) {
        w.Put(i % 200, 9);
        expected.push_back(uint8_t(i % 200));
    }
    // From here codes are 10 bits wide: entry 300 is "42 43".
    w.Put(300, 10);
    expected.push_back(42);
    expected.push_back(43);
    w.Put(257, 10);
    EXPECT_EQ(Unpack(8, w.Bytes(), 1000), expected);
}

TEST(TGIFLZWDecoder, AFullTableAddsNoEntry)
{
    LSBBitWriter w;
    std::vector<uint8_t> expected;
    w.Put(256, 9);
    unsigned literals = 0;
    auto literal = [&](unsigned value) {
        w.Put(value, WidthAfterLiterals(literals));
        expected.push_back(uint8_t(value));
        ++literals;
    };
    // 3839 literals fill entries 258 to 4095.
    for (unsigned i = 0; i < 3839; ++i)
        literal((i * 7) % 256);
    const uint8_t a = uint8_t((3837 * 7) % 256), b = uint8_t((3838 * 7) % 256);
    // Without a clear code the table stays full: these define nothing, and
    // entry 4095 keeps its string.
    w.Put(1, 12);
    w.Put(2, 12);
    w.Put(4095, 12);
    w.Put(3, 12);
    expected.insert(expected.end(), {1, 2, a, b, 3});
    // A clear code starts over at 9 bits.
    w.Put(256, 12);
    w.Put('x', 9);
    w.Put('y', 9);
    w.Put(258, 9);
    expected.insert(expected.end(), {'x', 'y', 'x', 'y'});
    EXPECT_EQ(Unpack(8, w.Bytes(), 100000), expected);
}

TEST(TGIFLZWDecoder, NeverWritesPastTheDestination)
{
    LSBBitWriter w;
    w.Put(256, 9);
    w.Put('A', 9);
    w.Put('A', 9);
    w.Put(258, 9); // A A
    w.Put(259, 9); // A A A
    std::vector<uint8_t> buffer(10, 0xEE);
    std::span<const uint8_t> source(w.Bytes());
    TGIFLZWDecoder decoder(8);
    EXPECT_EQ(decoder.Decode(source, std::span<uint8_t>(buffer.data(), 5), 100), 5u);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{'A', 'A', 'A', 'A', 'A', 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST(TGIFLZWDecoder, ChecksTheUnpackedCountOnlyBetweenPackedBytes)
{
    // s = 2, width 3: the first byte holds two whole codes, both written
    // although one byte was wanted; the second byte is not taken.
    LSBBitWriter w;
    w.Put(1, 3);
    w.Put(2, 3);
    w.Put(3, 3);
    EXPECT_EQ(Unpack(2, w.Bytes(), 1, 10), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(Unpack(2, w.Bytes(), 3), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(TGIFLZWDecoder, UnpacksNothingForAnImpossibleCodeSize)
{
    const std::vector<uint8_t> packed{0x00, 0x01, 0x02};
    EXPECT_TRUE(Unpack(0, packed, 10).empty());
    EXPECT_TRUE(Unpack(9, packed, 10).empty());
    EXPECT_TRUE(Unpack(8, {}, 10).empty());
}
