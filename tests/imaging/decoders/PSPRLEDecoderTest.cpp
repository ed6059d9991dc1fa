#include "imaging/decoders/PSPRLEDecoder.h"

#include "tests/imaging/decoders/UnpackResult.h"

#include <gtest/gtest.h>

using unpack::Bytes;
using unpack::Result;
using unpack::Unpack;

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
