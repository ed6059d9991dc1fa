#include "common/Text8Bit.h"

#include <gtest/gtest.h>

TEST(Text8Bit, ValidUtf8IsReadAsUtf8)
{
    EXPECT_EQ(DecodeText8(QByteArray("caf\xC3\xA9")), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeText8(QByteArray("plain")), QStringLiteral("plain"));
    EXPECT_EQ(DecodeText8(QByteArray()), QString());
}

TEST(Text8Bit, BytesThatAreNotUtf8AreReadAsWindows1252)
{
    // "café" and "€5 – ok" as a Windows machine writes them.
    EXPECT_EQ(DecodeText8(QByteArray("caf\xE9")), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeText8(QByteArray("\x80" "5 \x96 ok")), QString::fromUtf8("€5 – ok"));
    // The holes of the code page keep their byte value.
    EXPECT_EQ(DecodeWindows1252("\x81\x8D", 2), QString(QChar(0x81)) + QChar(0x8D));
}

TEST(Text8Bit, EncodingWritesUtf8)
{
    EXPECT_EQ(EncodeText8(QString::fromUtf8("Zürich")), QByteArray("Z\xC3\xBCrich"));
}
