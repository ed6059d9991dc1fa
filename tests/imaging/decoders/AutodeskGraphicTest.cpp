#include "imaging/decoders/AutodeskGraphic.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"


#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes &out, size_t at, unsigned value)
{
    out[at] = uint8_t(value), out[at + 1] = uint8_t(value >> 8);
}
void Put32(Bytes &out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = uint8_t(value >> (8 * i));
}
void Append16(Bytes &out, unsigned value)
{
    out.push_back(uint8_t(value)), out.push_back(uint8_t(value >> 8));
}
QByteArray ToQt(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}
// A chunk: 32-bit size (header included), 16-bit type, data.
Bytes Chunk(unsigned type, const Bytes &data, size_t headerPad = 0)
{
    Bytes out(6 + headerPad, 0);
    Put32(out, 0, uint32_t(out.size() + data.size()));
    Put16(out, 4, type);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

int Index(int x, int y)
{
    return x < 7 ? 3 : (x * 13 + y * 5) % 251;
}

Bytes Pixels(int width, int height)
{
    Bytes out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(uint8_t(Index(x, y)));
    return out;
}

// Original Animator: 32-byte header, 6-bit palette, raw pixels.
QByteArray EncodeAnimator(int width, int height)
{
    Bytes out(32, 0);
    Put16(out, 0, 0x9119);
    Put16(out, 2, unsigned(width));
    Put16(out, 4, unsigned(height));
    out[10] = 8;
    Put32(out, 12, uint32_t(width * height));
    for (int i = 0; i < 256; ++i)
        out.insert(out.end(), {uint8_t(i % 64), uint8_t(63 - i % 64), uint8_t(i / 4)});
    const Bytes pixels = Pixels(width, height);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return ToQt(out);
}

// Animator Pro PIC: 64-byte header, then colour map and pixel chunks.
QByteArray EncodeProPicture(int width, int height, bool withMap, const Bytes &extraChunk = {})
{
    Bytes out(64, 0);
    Put16(out, 4, 0x9500);
    Put16(out, 6, unsigned(width));
    Put16(out, 8, unsigned(height));
    out[18] = 8;
    out.insert(out.end(), extraChunk.begin(), extraChunk.end());
    if (withMap) {
        Bytes map = {0, 0};
        for (int i = 0; i < 256; ++i)
            map.insert(map.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x55)});
        const Bytes chunk = Chunk(0, map);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    const Bytes chunk = Chunk(1, Pixels(width, height));
    out.insert(out.end(), chunk.begin(), chunk.end());
    Put32(out, 0, uint32_t(out.size()));
    return ToQt(out);
}

// Byte-run rows: a run packet for a repeated start, literals for the rest.
Bytes ByteRun(int width, int height)
{
    Bytes out;
    for (int y = 0; y < height; ++y) {
        out.push_back(0); // packet count, unused
        int x = 0;
        while (x < width) {
            if (Index(x, y) == Index(x + 1, y) && x + 1 < width) {
                int run = 1;
                while (x + run < width && run < 127 && Index(x + run, y) == Index(x, y))
                    ++run;
                out.push_back(uint8_t(run));
                out.push_back(uint8_t(Index(x, y)));
                x += run;
            } else {
                const int literal = std::min(width - x, 100);
                out.push_back(uint8_t(-literal));
                for (int i = 0; i < literal; ++i)
                    out.push_back(uint8_t(Index(x + i, y)));
                x += literal;
            }
        }
    }
    return out;
}

// Animator Pro CEL: a one-frame flic with a prefix chunk, a 6-bit colour
// chunk in two packets and a byte-run (or copied) picture.
QByteArray EncodeCel(int width, int height, bool copy)
{
    Bytes out(128, 0);
    Put16(out, 4, 0xAF12);
    Put16(out, 6, 1);
    Put16(out, 8, unsigned(width));
    Put16(out, 10, unsigned(height));
    Put16(out, 12, 8);
    const Bytes prefix = Chunk(0xF100, Bytes(10, 0), 0);
    out.insert(out.end(), prefix.begin(), prefix.end());
    Put32(out, 80, uint32_t(out.size()));

    Bytes colors;
    Append16(colors, 2);
    colors.insert(colors.end(), {0, 2, 63, 0, 0, 0, 63, 0}); // entries 0, 1
    colors.insert(colors.end(), {1, 1, 0, 0, 63});            // skip 1: entry 3
    Bytes frameChunks = Chunk(11, colors);
    const Bytes stamp = Chunk(18, Bytes(20, 0x77));
    frameChunks.insert(frameChunks.end(), stamp.begin(), stamp.end());
    const Bytes picture = copy ? Chunk(16, Pixels(width, height)) : Chunk(15, ByteRun(width, height));
    frameChunks.insert(frameChunks.end(), picture.begin(), picture.end());

    Bytes frame(16, 0);
    Put32(frame, 0, uint32_t(16 + frameChunks.size()));
    Put16(frame, 4, 0xF1FA);
    Put16(frame, 6, 3);
    frame.insert(frame.end(), frameChunks.begin(), frameChunks.end());
    out.insert(out.end(), frame.begin(), frame.end());
    Put32(out, 0, uint32_t(out.size()));
    return ToQt(out);
}

void ExpectIndices(const QImage &image, int width, int height)
{
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.size(), QSize(width, height));
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            wrong += image.pixelIndex(x, y) != Index(x, y);
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(AutodeskGraphic, OriginalAnimatorPictureAndCel)
{
    for (QSize size : {QSize(320, 200), QSize(45, 17)}) {
        QString message;
        const QImage image = Decode<TAutodeskGraphic>(EncodeAnimator(size.width(), size.height()), &message);
        ASSERT_FALSE(image.isNull()) << message.toStdString();
        ExpectIndices(image, size.width(), size.height());
        // 6-bit components: 63 is full, 1 is 4.
        EXPECT_EQ(image.color(0), qRgb(0, 255, 0));
        EXPECT_EQ(image.color(65), qRgb(4, 251, 65));
    }
    const QByteArray pic = EncodeAnimator(320, 200);
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(pic.left(pic.size() - 1)), QStringLiteral("Stream read error"));
    QByteArray bad = pic;
    bad[10] = 4;
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(bad), QStringLiteral("Invalid color format in Autodesk file."));
}

TEST(AutodeskGraphic, AnimatorProPicture)
{
    // An unknown chunk before the map is skipped by its size.
    const QImage image = Decode<TAutodeskGraphic>(EncodeProPicture(50, 30, true, Chunk(99, Bytes(9, 1))));
    ExpectIndices(image, 50, 30);
    EXPECT_EQ(image.color(3), qRgb(3, 252, 3 ^ 0x55));

    const QImage grey = Decode<TAutodeskGraphic>(EncodeProPicture(50, 30, false));
    ExpectIndices(grey, 50, 30);
    EXPECT_EQ(grey.color(200), qRgb(200, 200, 200)) << "no colour map: greys";

    QByteArray cut = EncodeProPicture(50, 30, true);
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(cut.left(cut.size() - 10)), QStringLiteral("Stream read error"));
    QByteArray zeroChunk = EncodeProPicture(5, 5, false, Bytes(6, 0));
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(zeroChunk),
              QStringLiteral("Cannot load image. Invalid or unexpected Autodesk image format."));
}

TEST(AutodeskGraphic, AnimatorProCelIsTheFirstFlicFrame)
{
    for (bool copy : {false, true}) {
        QString message;
        const QImage image = Decode<TAutodeskGraphic>(EncodeCel(300, 21, copy), &message);
        ASSERT_FALSE(image.isNull()) << message.toStdString();
        ExpectIndices(image, 300, 21);
        EXPECT_EQ(image.color(0), qRgb(255, 0, 0));
        EXPECT_EQ(image.color(1), qRgb(0, 255, 0));
        EXPECT_EQ(image.color(2), qRgb(0, 0, 0)) << "skipped by the second packet";
        EXPECT_EQ(image.color(3), qRgb(0, 0, 255));
    }
    // A byte-run picture cut short, a flic without a frame, other files.
    QByteArray cel = EncodeCel(300, 21, false);
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(cel.left(cel.size() - 3)), QStringLiteral("Stream read error"));
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(cel.left(150)), QStringLiteral("Stream read error"));
    // A header promising far more pixels than the frame can paint is
    // refused before the picture is allocated.
    QByteArray huge = cel;
    huge[9] = char(0xEA), huge[11] = char(0x0F); // 60000-odd by 4000-odd
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(huge), QStringLiteral("Stream read error"));
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(QByteArray("PC Paint picture file")),
              QStringLiteral("Cannot load image. Invalid or unexpected Autodesk image format."));
    EXPECT_EQ(ErrorOf<TAutodeskGraphic>(QByteArray("\x19")), QStringLiteral("Stream read error"));
}
