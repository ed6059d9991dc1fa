#include "show/JpegEncoding.h"
#include "show/SlideRendering.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/RequiredTools.h"
#include "tests/support/TestFiles.h"

#include "common/VistranoError.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The payload of the first marker segment of a kind (0xC0 SOF0, 0xDB DQT...).
QByteArray Segment(const QByteArray &jpeg, unsigned char marker)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar kind = uchar(jpeg[at + 1]);
        const int length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
        if (kind == marker)
            return jpeg.mid(at + 4, length - 2);
        if (kind == 0xDA)
            break;
        at += 2 + length;
    }
    return {};
}

QByteArray CjpegOf(const TestFolder &folder, const QImage &picture, int quality)
{
    const QString ppm = folder.Path(QStringLiteral("in%1.ppm").arg(quality));
    picture.convertToFormat(QImage::Format_RGB888).save(ppm, "PPM");
    const QString out = folder.Path(QStringLiteral("out%1.jpg").arg(quality));
    const int status = RunProgram("cjpeg", {"-quality", QString::number(quality), "-dct", "float", "-sample", "2x2",
                                            "-baseline", "-outfile", out, ppm});
    EXPECT_EQ(status, 0);
    return ReadFileBytes(out);
}

} // namespace

// libjpeg-turbo's own cjpeg with the same settings is an independent
// encoder of the same library: the bytes must agree exactly.
TEST(JpegEncoding, MatchesCjpegWithTheSameSettings)
{
    REQUIRE_TOOLS("cjpeg");
    TestFolder folder;
    const QImage picture = TestPicture(67, 41).convertToFormat(QImage::Format_BGR888);
    for (int quality : {100, 90, 40}) {
        const QByteArray ours = EncodeJpeg(picture, quality);
        EXPECT_EQ(ours, CjpegOf(folder, picture, quality)) << "quality " << quality;
    }
}

TEST(JpegEncoding, IsBaselineJfifWithSubsampledChroma)
{
    const QByteArray jpeg = EncodeJpeg(TestPicture(33, 17), 90);
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
    EXPECT_TRUE(Segment(jpeg, 0xE0).startsWith(QByteArray("JFIF\0", 5)));
    const QByteArray frame = Segment(jpeg, 0xC0); // baseline
    ASSERT_EQ(frame.size(), 6 + 3 * 3);
    EXPECT_EQ((uchar(frame[1]) << 8) | uchar(frame[2]), 17); // height
    EXPECT_EQ((uchar(frame[3]) << 8) | uchar(frame[4]), 33); // width
    EXPECT_EQ(uchar(frame[5]), 3);
    EXPECT_EQ(uchar(frame[6 + 1]), 0x22); // luma 2x2
    EXPECT_EQ(uchar(frame[9 + 1]), 0x11);
    EXPECT_EQ(uchar(frame[12 + 1]), 0x11);
    EXPECT_TRUE(Segment(jpeg, 0xC2).isEmpty()); // not progressive
}

TEST(JpegEncoding, KeepsRedGreenAndBlueInTheirRoles)
{
    QImage picture(16, 16, QImage::Format_BGR888);
    picture.fill(QColor(220, 30, 40));
    const QImage decoded = QImage::fromData(EncodeJpeg(picture, 95), "JPG");
    ASSERT_FALSE(decoded.isNull());
    const QColor colour = decoded.pixelColor(8, 8);
    EXPECT_NEAR(colour.red(), 220, 6);
    EXPECT_NEAR(colour.green(), 30, 6);
    EXPECT_NEAR(colour.blue(), 40, 6);
    // Rows go top first.
    QImage halves(16, 16, QImage::Format_BGR888);
    halves.fill(Qt::black);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            halves.setPixelColor(x, y, Qt::white);
    const QImage back = QImage::fromData(EncodeJpeg(halves, 95), "JPG");
    EXPECT_GT(qGray(back.pixel(8, 2)), 200);
    EXPECT_LT(qGray(back.pixel(8, 13)), 50);
    EXPECT_THROW(EncodeJpeg(QImage(), 90), VistranoError);
}

// A JPEG whose bytes hold a marker is made again one quality step lower.
TEST(JpegEncoding, AJpegHoldingAMarkerIsEncodedAgainLower)
{
    QList<int> tried;
    auto encoder = [&](const QImage &, int quality) {
        tried << quality;
        return quality >= 88 ? QByteArray("\xFF\xD8 ") + (quality % 2 ? kStart : kEnd) : QByteArray("\xFF\xD8 ok");
    };
    EXPECT_EQ(EncodeSlideJpeg(TestPicture(8, 8), 90, encoder), QByteArray("\xFF\xD8 ok"));
    EXPECT_EQ(tried, QList<int>({90, 89, 88, 87}));
    auto always = [](const QImage &, int) { return kStart; };
    EXPECT_THROW(EncodeSlideJpeg(TestPicture(8, 8), 3, always), VistranoError);
}
