#include "imaging/decoders/RLADecoder.h"

#include "tests/imaging/decoders/UnpackResult.h"

#include <gtest/gtest.h>

using unpack::Bytes;
using unpack::Result;
using unpack::Unpack;

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
