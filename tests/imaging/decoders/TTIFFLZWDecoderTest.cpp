#include "imaging/decoders/TIFFLZWDecoder.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// Packs codes most significant bit first, each with its own width.
class CodeWriter
{
public:
    void Put(unsigned code, unsigned width)
    {
        for (unsigned bit = width; bit-- > 0;) {
            m_byte = uint8_t(m_byte << 1 | ((code >> bit) & 1));
            if (++m_bits == 8)
                m_bytes.push_back(m_byte), m_bits = 0, m_byte = 0;
        }
    }
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> bytes = m_bytes;
        if (m_bits)
            bytes.push_back(uint8_t(m_byte << (8 - m_bits)));
        return bytes;
    }

private:
    std::vector<uint8_t> m_bytes;
    uint8_t m_byte = 0;
    unsigned m_bits = 0;
};

std::vector<uint8_t> Codes9(std::initializer_list<unsigned> codes)
{
    CodeWriter writer;
    for (unsigned code : codes)
        writer.Put(code, 9);
    return writer.Bytes();
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t> &packed, size_t destSize, size_t wanted, size_t *written = nullptr)
{
    std::vector<uint8_t> dest(destSize, 0xEE);
    std::span<const uint8_t> source(packed);
    TTIFFLZWDecoder decoder;
    const size_t n = decoder.Decode(source, dest, wanted);
    EXPECT_EQ(source.size(), packed.size());
    EXPECT_LE(n, destSize);
    if (written)
        *written = n;
    return dest;
}

// A TIFF LZW encoder as writers make it: clear first, a clear code when the
// table is about to fill, early width change.
std::vector<uint8_t> Encode(const std::vector<uint8_t> &plain)
{
    CodeWriter writer;
    std::map<std::pair<unsigned, uint8_t>, unsigned> table;
    unsigned width = 9, next = 258;
    writer.Put(256, width);
    if (plain.empty()) {
        writer.Put(257, width);
        return writer.Bytes();
    }
    unsigned current = plain[0];
    for (size_t i = 1; i < plain.size(); ++i) {
        const auto found = table.find({current, plain[i]});
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        writer.Put(current, width);
        // The encoder is one entry ahead of the decoder, so its width
        // changes one entry later.
        table[{current, plain[i]}] = next++;
        if (next == (1u << width) && width < 12)
            ++width;
        if (next == 4094) {
            writer.Put(256, width);
            table.clear();
            next = 258;
            width = 9;
        }
        current = plain[i];
    }
    writer.Put(current, width);
    writer.Put(257, width);
    return writer.Bytes();
}

} // namespace

TEST(TTIFFLZWDecoder, DecodesStringsTheKwKwKCaseAndStopsAtTheEndCode)
{
    EXPECT_EQ(Unpack(Codes9({256, 'A', 'B', 258, 257}), 4, 4), (std::vector<uint8_t>{'A', 'B', 'A', 'B'}));
    // 258 is the free index when it comes: previous string plus its own first byte.
    EXPECT_EQ(Unpack(Codes9({256, 'A', 258, 259, 257}), 6, 6), (std::vector<uint8_t>{'A', 'A', 'A', 'A', 'A', 'A'}));
    // The end code ends the call although packed bytes and wanted bytes remain.
    size_t written = 0;
    EXPECT_EQ(Unpack(Codes9({256, 'A', 257, 'B', 'C'}), 3, 3, &written), (std::vector<uint8_t>{'A', 0xEE, 0xEE}));
    EXPECT_EQ(written, 1u);
    // A stream without a leading clear code decodes too.
    EXPECT_EQ(Unpack(Codes9({'x', 'y', 257}), 2, 2), (std::vector<uint8_t>{'x', 'y'}));
}

TEST(TTIFFLZWDecoder, InvalidCodesAreSkippedWithoutChangingTheTable)
{
    // After 'A' nothing is added; 300 is above the free index 258 and
    // skipped; 'B' adds 258 = "AB".
    EXPECT_EQ(Unpack(Codes9({256, 'A', 300, 'B', 258, 257}), 4, 4), (std::vector<uint8_t>{'A', 'B', 'A', 'B'}));
    // A code that refers to an entry right after a clear code has nothing to build on.
    EXPECT_EQ(Unpack(Codes9({256, 258, 'C', 257}), 2, 2), (std::vector<uint8_t>{'C', 0xEE}));
    // A clear code in the middle forgets the table: 258 is invalid again after it.
    EXPECT_EQ(Unpack(Codes9({256, 'A', 'B', 256, 'C', 300, 258, 257}), 5, 5),
              (std::vector<uint8_t>{'A', 'B', 'C', 'C', 'C'}));
}

TEST(TTIFFLZWDecoder, WidthGrowsToTenBitsOnceEntry510IsAdded)
{
    // The first literal adds nothing; each of the next 253 adds one entry:
    // 258 ... 510. After that codes are 10 bits wide.
    CodeWriter writer;
    writer.Put(256, 9);
    std::vector<uint8_t> expected;
    for (int i = 0; i < 254; ++i) {
        writer.Put(unsigned(i & 0x7F), 9);
        expected.push_back(uint8_t(i & 0x7F));
    }
    writer.Put('Z', 10);
    writer.Put(258, 10); // entry 258 = (0, 1)
    writer.Put(257, 10);
    expected.push_back('Z');
    expected.push_back(0);
    expected.push_back(1);
    size_t written = 0;
    const auto out = Unpack(writer.Bytes(), expected.size(), expected.size(), &written);
    EXPECT_EQ(written, expected.size());
    EXPECT_EQ(out, expected);

    // One literal fewer: entry 510 is never added and the width stays 9.
    CodeWriter nine;
    nine.Put(256, 9);
    for (int i = 0; i < 253; ++i)
        nine.Put('a', 9);
    nine.Put('Z', 9);
    nine.Put(257, 10);
    const auto packed = nine.Bytes();
    std::vector<uint8_t> dest(400, 0);
    std::span<const uint8_t> source(packed);
    TTIFFLZWDecoder decoder;
    ASSERT_EQ(decoder.Decode(source, dest, dest.size()), 254u);
    EXPECT_EQ(dest[253], 'Z');
}

TEST(TTIFFLZWDecoder, AFullTableAddsNoEntryAndDecodingGoesOn)
{
    // Never clear: 1 + 3838 literals fill entries 258..4095; then more codes.
    CodeWriter writer;
    unsigned width = 9, next = 258;
    writer.Put(256, width);
    writer.Put(0, width);
    std::vector<uint8_t> expected{0};
    for (int i = 0; i < 4000; ++i) {
        const unsigned code = unsigned(i * 7 % 256);
        writer.Put(code, width);
        expected.push_back(uint8_t(code));
        if (next < 4096) {
            ++next;
            if (next == (1u << width) - 1 && width < 12)
                ++width;
        }
    }
    ASSERT_EQ(width, 12u);
    // Entry 258 is (0, first byte of the second code, 0): "00".
    writer.Put(258, 12);
    expected.push_back(0);
    expected.push_back(0);
    writer.Put(257, 12);
    size_t written = 0;
    const auto out = Unpack(writer.Bytes(), expected.size() + 8, expected.size() + 8, &written);
    EXPECT_EQ(written, expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin()));
}

TEST(TTIFFLZWDecoder, NothingIsWrittenPastTheDestinationEvenWithinOneByte)
{
    // "AB", "ABA"... a long run of A: strings grow; a 5-byte destination.
    std::vector<uint8_t> plain(200, 'A');
    const auto packed = Encode(plain);
    size_t written = 0;
    auto out = Unpack(packed, 5, 5, &written);
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(out, std::vector<uint8_t>(5, 'A'));
    // The count is checked between packed bytes: the codes of the byte that
    // reached it are still written, up to the destination.
    out = Unpack(packed, 200, 3, &written);
    EXPECT_GE(written, 3u);
    EXPECT_TRUE(std::all_of(out.begin(), out.begin() + written, [](uint8_t b) { return b == 'A'; }));
    EXPECT_TRUE(std::all_of(out.begin() + written, out.end(), [](uint8_t b) { return b == 0xEE; }));
}

TEST(TTIFFLZWDecoder, RoundTripsWhatAWriterMakesAcrossClearCodes)
{
    std::vector<uint8_t> plain(300000);
    uint32_t state = 12345;
    for (size_t i = 0; i < plain.size(); ++i) {
        state = state * 1103515245u + 12345u;
        plain[i] = (i / 1000) % 2 ? uint8_t(state >> 24) : uint8_t(i / 37);
    }
    const auto packed = Encode(plain);
    size_t written = 0;
    const auto out = Unpack(packed, plain.size(), plain.size(), &written);
    EXPECT_EQ(written, plain.size());
    EXPECT_EQ(out, plain);
    // Cut short: what is there decodes, the rest stays.
    const std::vector<uint8_t> half(packed.begin(), packed.begin() + packed.size() / 2);
    const auto partial = Unpack(half, plain.size(), plain.size(), &written);
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, plain.size());
    EXPECT_TRUE(std::equal(partial.begin(), partial.begin() + written, plain.begin()));
}
