// The run-length members of Paint Shop Pro, Alias/Wavefront RLA and
// Dr. Halo CUT on hand-built packets.
#include "imaging/decoders/CUTRLEDecoder.h"
#include "imaging/decoders/PSPRLEDecoder.h"
#include "imaging/decoders/RLADecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Result
{
    Bytes output;
    size_t written;
    size_t consumed;
};

// Decodes into a buffer of `room` bytes pre-filled with 0xEE, wanting
// `wanted` bytes.
Result Unpack(TDecoder &decoder, const Bytes &packed, size_t room, size_t wanted)
{
    Bytes output(room, 0xEE);
    std::span<const uint8_t> source(packed);
    const size_t written = decoder.Decode(source, output, wanted);
    return {output, written, packed.size() - source.size()};
}

} // namespace

TEST(PSPRLEDecoder, WorkedExampleAndCuts)
{
    TPSPRLEDecoder decoder;
    Result r = Unpack(decoder, {0x83, 0x11, 0x02, 0x21, 0x22}, 5, 5);
    EXPECT_EQ(r.output, (Bytes{0x11, 0x11, 0x11, 0x21, 0x22}));
    EXPECT_EQ(r.written, 5u);
    EXPECT_EQ(r.consumed, 0u) << "the source stays where it was";

    // A run and a literal that pass the end of the destination are cut.
    r = Unpack(decoder, {0x85, 0x07, 0x03, 1, 2, 3}, 6, 6);
    EXPECT_EQ(r.output, (Bytes{7, 7, 7, 7, 7, 1}));
    r = Unpack(decoder, {0x85, 0x07}, 8, 3);
    EXPECT_EQ(r.output, (Bytes{7, 7, 7, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE})) << "nothing past the amount wanted";

    // 0x80 is a run of nothing; a literal whose bytes are missing copies
    // what is there; a run without its value byte writes nothing.
    r = Unpack(decoder, {0x80, 0x09, 0x05, 0x41, 0x42}, 6, 6);
    EXPECT_EQ(r.written, 2u);
    EXPECT_EQ(r.output, (Bytes{0x41, 0x42, 0xEE, 0xEE, 0xEE, 0xEE}));
    r = Unpack(decoder, {0x01, 0x41, 0x84}, 6, 6);
    EXPECT_EQ(r.written, 1u);
    r = Unpack(decoder, {}, 0, 0);
    EXPECT_EQ(r.written, 0u);
}

TEST(RLADecoder, WorkedExampleAndCuts)
{
    TRLADecoder decoder;
    Result r = Unpack(decoder, {0x02, 0x55, 0xFE, 0x01, 0x02}, 5, 5);
    EXPECT_EQ(r.output, (Bytes{0x55, 0x55, 0x55, 0x01, 0x02}));
    EXPECT_EQ(r.consumed, 0u);

    // 127 is a run of 128, -128 a literal of 128.
    Bytes packed = {0x7F, 0x33, 0x80};
    for (int i = 0; i < 128; ++i)
        packed.push_back(uint8_t(i));
    r = Unpack(decoder, packed, 256, 256);
    EXPECT_EQ(r.written, 256u);
    EXPECT_EQ(r.output[127], 0x33);
    EXPECT_EQ(r.output[128], 0);
    EXPECT_EQ(r.output[255], 127);

    r = Unpack(decoder, packed, 100, 1000);
    EXPECT_EQ(r.written, 100u) << "the destination's size cuts the run";
    r = Unpack(decoder, {0x05}, 4, 4);
    EXPECT_EQ(r.written, 0u) << "a run without its value";
    r = Unpack(decoder, {0xFC, 1, 2}, 4, 4);
    EXPECT_EQ(r.output, (Bytes{1, 2, 0xEE, 0xEE})) << "a literal cut short by the data";
}

TEST(CUTRLEDecoder, WorkedExampleLeavesTheSourceAtTheNextRow)
{
    TCUTRLEDecoder decoder;
    Result r = Unpack(decoder, {0x05, 0x00, 0x83, 0x07, 0x02, 0x08, 0x09, 0x00, 0xAA}, 5, 5);
    EXPECT_EQ(r.output, (Bytes{0x07, 0x07, 0x07, 0x08, 0x09}));
    EXPECT_EQ(r.written, 5u);
    EXPECT_EQ(r.consumed, 8u) << "behind the terminating 0";

    // A row whose packets pass the destination is cut, and the source
    // still ends up behind its end marker.
    r = Unpack(decoder, {0x09, 0x00, 0x85, 0x01, 0x03, 0x02, 0x03, 0x04, 0x00, 0x06, 0x00}, 4, 4);
    EXPECT_EQ(r.output, (Bytes{1, 1, 1, 1}));
    EXPECT_EQ(r.consumed, 9u);

    // 0x80 is a run of nothing that still takes its value byte.
    r = Unpack(decoder, {0x03, 0x00, 0x80, 0x05, 0x01, 0x09, 0x00}, 3, 3);
    EXPECT_EQ(r.written, 1u);
    EXPECT_EQ(r.output[0], 0x09);
    EXPECT_EQ(r.consumed, 7u);

    // Data that ends without an end marker is used up; fewer than two bytes
    // are just skipped.
    r = Unpack(decoder, {0x02, 0x00, 0x02, 0x07}, 3, 3);
    EXPECT_EQ(r.written, 1u);
    EXPECT_EQ(r.consumed, 4u);
    r = Unpack(decoder, {0x02}, 3, 3);
    EXPECT_EQ(r.written, 0u);
    EXPECT_EQ(r.consumed, 1u);
}
