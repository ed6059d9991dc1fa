#include "imaging/decoders/LZ77Decoder.h"

#include "common/VistranoError.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

namespace {

std::vector<uint8_t> Deflate(const std::vector<uint8_t> &plain)
{
    uLongf size = compressBound(uLong(plain.size()));
    std::vector<uint8_t> packed(size);
    EXPECT_EQ(compress2(packed.data(), &size, plain.data(), uLong(plain.size()), 6), Z_OK);
    packed.resize(size);
    return packed;
}

std::vector<uint8_t> Pattern(size_t size, unsigned seed)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t((i * seed) ^ (i >> 5));
    return bytes;
}

void ExpectLZ77Error(const std::function<void()> &work)
{
    try {
        work();
        ADD_FAILURE() << "no error";
    } catch (const VistranoError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("LZ77 decompression error."));
    }
}

} // namespace

TEST(TLZ77Decoder, InflatesAWholeStreamAndStopsAtTheWantedCount)
{
    const auto plain = Pattern(70000, 7);
    const auto packed = Deflate(plain);
    for (int flush : {Z_NO_FLUSH, Z_SYNC_FLUSH, Z_FINISH}) {
        TLZ77Decoder decoder(flush, false);
        decoder.Start();
        std::vector<uint8_t> out(plain.size() + 10, 0xEE);
        std::span<const uint8_t> source(packed);
        EXPECT_EQ(decoder.Decode(source, out, plain.size() + 10), plain.size());
        EXPECT_TRUE(decoder.StreamEnded());
        EXPECT_TRUE(std::equal(plain.begin(), plain.end(), out.begin()));
        EXPECT_EQ(out[plain.size()], 0xEE);
        EXPECT_TRUE(source.empty()) << "the consumed bytes are passed";
        EXPECT_NO_THROW(decoder.Finish());
    }

    TLZ77Decoder decoder(Z_SYNC_FLUSH, false);
    decoder.Start();
    std::vector<uint8_t> out(100, 0xEE);
    std::span<const uint8_t> source(packed);
    EXPECT_EQ(decoder.Decode(source, out, 60), 60u);
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 60, out.begin()));
    EXPECT_EQ(out[60], 0xEE);
}

TEST(TLZ77Decoder, AStreamRunsOnAcrossCallsRowByRowAndPieceByPiece)
{
    const auto plain = Pattern(5000, 13);
    const auto packed = Deflate(plain);
    TLZ77Decoder decoder(Z_SYNC_FLUSH, false);
    decoder.Start();
    std::vector<uint8_t> out(plain.size());
    std::span<const uint8_t> source(packed);
    for (size_t row = 0; row < 50; ++row)
        ASSERT_EQ(decoder.Decode(source, std::span(out).subspan(row * 100, 100), 100), 100u);
    EXPECT_EQ(out, plain);
    decoder.Finish();

    // Packed data handed over in small pieces, as from separate chunks.
    TLZ77Decoder pieces(Z_NO_FLUSH, false);
    pieces.Start();
    std::fill(out.begin(), out.end(), 0);
    size_t written = 0;
    for (size_t at = 0; at < packed.size(); at += 7) {
        std::span<const uint8_t> piece = std::span(packed).subspan(at, std::min<size_t>(7, packed.size() - at));
        written += pieces.Decode(piece, std::span(out).subspan(written), out.size() - written);
        EXPECT_TRUE(piece.empty());
    }
    EXPECT_EQ(written, plain.size());
    EXPECT_EQ(out, plain);
    EXPECT_NO_THROW(pieces.Finish());
}

TEST(TLZ77Decoder, AutoResetStartsEveryDecodeOnAFreshStream)
{
    const auto first = Pattern(300, 3), second = Pattern(200, 11);
    const auto packedFirst = Deflate(first), packedSecond = Deflate(second);
    TLZ77Decoder decoder(Z_SYNC_FLUSH, true);
    decoder.Start();
    std::vector<uint8_t> out(300);
    std::span<const uint8_t> a(packedFirst), b(packedSecond);
    EXPECT_EQ(decoder.Decode(a, out, 300), 300u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), out.begin()));
    EXPECT_EQ(decoder.Decode(b, out, 300), 200u);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), out.begin()));
    // Only part of a strip taken: the next strip still decodes from its start.
    std::span<const uint8_t> again(packedFirst);
    EXPECT_EQ(decoder.Decode(again, out, 10), 10u);
    std::span<const uint8_t> b2(packedSecond);
    EXPECT_EQ(decoder.Decode(b2, out, 300), 200u);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), out.begin()));
    EXPECT_NO_THROW(decoder.Finish());
}

TEST(TLZ77Decoder, TruncatedDataGivesWhatItHoldsAndDamagedDataFailsAtFinish)
{
    const auto plain = Pattern(4000, 5);
    const auto packed = Deflate(plain);
    {
        TLZ77Decoder decoder(Z_SYNC_FLUSH, false);
        decoder.Start();
        std::vector<uint8_t> out(plain.size(), 0xEE);
        std::span<const uint8_t> source = std::span(packed).first(packed.size() / 2);
        const size_t written = decoder.Decode(source, out, out.size());
        EXPECT_LT(written, plain.size());
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + written, plain.begin()));
        EXPECT_FALSE(decoder.StreamEnded());
        EXPECT_FALSE(decoder.DataError());
        EXPECT_NO_THROW(decoder.Finish());
    }
    {
        std::vector<uint8_t> damaged = packed;
        damaged[0] = 0x79; // not a zlib header
        TLZ77Decoder decoder(Z_SYNC_FLUSH, false);
        decoder.Start();
        std::vector<uint8_t> out(plain.size());
        std::span<const uint8_t> source(damaged);
        EXPECT_EQ(decoder.Decode(source, out, out.size()), 0u);
        EXPECT_TRUE(decoder.DataError());
        ExpectLZ77Error([&] { decoder.Finish(); });
    }
    {
        // A stored block whose length check does not match.
        const std::vector<uint8_t> bad{0x78, 0x01, 0x01, 0x05, 0x00, 0x00, 0x00, 1, 2, 3, 4, 5};
        TLZ77Decoder decoder(Z_SYNC_FLUSH, true);
        decoder.Start();
        std::vector<uint8_t> out(5, 0xEE);
        std::span<const uint8_t> source(bad);
        EXPECT_EQ(decoder.Decode(source, out, 5), 0u);
        EXPECT_EQ(out[0], 0xEE);
        ExpectLZ77Error([&] { decoder.Finish(); });
    }
    // A decoder that is never finished still releases its stream.
    TLZ77Decoder abandoned(Z_SYNC_FLUSH, false);
    abandoned.Start();
}
