#include "imaging/decoders/ByteReader.h"

#include <gtest/gtest.h>

TEST(ByteReader, ReadsBothByteOrdersAndTracksPosition)
{
    const uint8_t data[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    ByteReader reader(data, sizeof data);
    EXPECT_EQ(reader.U16LE(), 0x0201);
    EXPECT_EQ(reader.U16BE(), 0x0304);
    EXPECT_EQ(reader.Position(), 4u);
    EXPECT_EQ(reader.U32BE(), 0x05060708u);
    EXPECT_TRUE(reader.AtEnd());
    reader.Seek(0);
    EXPECT_EQ(reader.U32LE(), 0x04030201u);
    EXPECT_EQ(reader.I8(), 5);
}

TEST(ByteReader, RefusesEveryReadPastTheEnd)
{
    const uint8_t data[] = {0xFF, 0xFE, 0xFD};
    ByteReader reader(data, sizeof data);
    EXPECT_THROW(reader.U32LE(), EReadError);
    EXPECT_EQ(reader.Position(), 0u) << "a refused read must not move the reader";
    EXPECT_THROW(reader.Skip(4), EReadError);
    EXPECT_THROW(reader.Seek(4), EReadError);
    EXPECT_NO_THROW(reader.Seek(3));
    EXPECT_THROW(reader.U8(), EReadError);
    uint8_t out[4];
    reader.Seek(1);
    EXPECT_THROW(reader.Read(out, 3), EReadError);
    EXPECT_THROW(reader.Bytes(size_t(-1)), EReadError);
    try {
        reader.U16LE();
        reader.U8();
        FAIL();
    } catch (const EReadError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Stream read error"));
    }
}

TEST(ByteReader, SubRangesStayInsideTheData)
{
    const uint8_t data[] = {1, 2, 3, 4, 5};
    ByteReader reader(data, sizeof data);
    ByteReader sub = reader.Sub(1, 3);
    EXPECT_EQ(sub.Size(), 3u);
    EXPECT_EQ(sub.U8(), 2);
    EXPECT_THROW(reader.Sub(3, 3), EReadError);
    EXPECT_THROW(reader.Sub(6, 0), EReadError);
    EXPECT_THROW(reader.Sub(1, size_t(-1)), EReadError) << "offset + length must not wrap around";
}
