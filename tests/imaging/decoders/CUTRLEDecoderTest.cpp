#include "imaging/decoders/CUTRLEDecoder.h"

#include "tests/imaging/decoders/UnpackResult.h"

#include <gtest/gtest.h>

using unpack::Bytes;
using unpack::Result;
using unpack::Unpack;

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
