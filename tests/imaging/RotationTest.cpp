#include "imaging/Rotation.h"
#include "tests/support/TestPictures.h"


#include <gtest/gtest.h>

#include <string>

namespace {

// A picture whose pixels are letters: every pixel is (letter, letter + 1,
// letter + 2) in blue, green, red, so any mix-up of bytes shows.
QImage LetterPicture(const std::vector<std::string> &rows)
{
    QImage picture(int(rows[0].size()), int(rows.size()), QImage::Format_BGR888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            uint8_t *pixel = picture.scanLine(y) + x * 3;
            pixel[0] = uint8_t(rows[y][x]);
            pixel[1] = uint8_t(rows[y][x] + 1);
            pixel[2] = uint8_t(rows[y][x] + 2);
        }
    return picture;
}

std::vector<std::string> Letters(const QImage &picture)
{
    std::vector<std::string> rows;
    EXPECT_EQ(picture.format(), QImage::Format_BGR888);
    for (int y = 0; y < picture.height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.width(); ++x) {
            const uint8_t *pixel = picture.constScanLine(y) + x * 3;
            EXPECT_EQ(pixel[1], pixel[0] + 1);
            EXPECT_EQ(pixel[2], pixel[0] + 2);
            row += char(pixel[0]);
        }
        rows.push_back(row);
    }
    return rows;
}

using Rows = std::vector<std::string>;

} // namespace

TEST(Rotation, TurnsThePictureOfThreeByTwo)
{
    const QImage picture = LetterPicture({"abc", "def"});
    QImage turned = picture;
    Rotate90Clockwise(turned);
    EXPECT_EQ(Letters(turned), (Rows{"da", "eb", "fc"}));
    turned = picture;
    Rotate90CounterClockwise(turned);
    EXPECT_EQ(Letters(turned), (Rows{"cf", "be", "ad"}));
    turned = picture;
    Rotate180(turned);
    EXPECT_EQ(Letters(turned), (Rows{"fed", "cba"}));
    EXPECT_EQ(Letters(picture), (Rows{"abc", "def"})) << "the caller's other copies keep their pixels";
}

TEST(Rotation, AppliesTheSlideRotationByOneRule)
{
    const QImage picture = LetterPicture({"abc", "def"});
    const std::pair<int, Rows> cases[] = {
        {90, {"da", "eb", "fc"}}, {180, {"fed", "cba"}}, {270, {"cf", "be", "ad"}},
        {0, {"abc", "def"}},      {360, {"abc", "def"}}, {-90, {"abc", "def"}},   {45, {"abc", "def"}},
    };
    for (const auto &[angle, expected] : cases) {
        QImage turned = picture;
        ApplyRotation(turned, angle);
        EXPECT_EQ(Letters(turned), expected) << angle;
    }
}

TEST(Rotation, RoundTripsGiveBackTheStartingPixelsWhateverTheRowPadding)
{
    // Widths and heights that are not multiples of 4 pad the rows of 3-byte
    // pixels, in the picture and after each turn.
    for (const QSize size : {QSize(5, 3), QSize(7, 2), QSize(1, 6), QSize(6, 1), QSize(1, 1), QSize(13, 11)}) {
        const QImage picture = RandomPicture(size.width(), size.height(), uint32_t(size.width() * 100 + size.height()));
        QImage turned = picture;
        Rotate90Clockwise(turned);
        EXPECT_EQ(turned.size(), size.transposed());
        Rotate90CounterClockwise(turned);
        EXPECT_EQ(turned, picture);
        for (int i = 0; i < 4; ++i)
            Rotate90Clockwise(turned);
        EXPECT_EQ(turned, picture);
        Rotate180(turned);
        QImage twice = picture;
        Rotate90Clockwise(twice);
        Rotate90Clockwise(twice);
        EXPECT_EQ(turned, twice) << "a half turn is two quarter turns";
        Rotate180(turned);
        EXPECT_EQ(turned, picture);
    }
}

TEST(Rotation, TurnsOtherFormatsAsTwentyFourBitPictures)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(10, 20, 30));
    picture.setPixel(2, 1, qRgb(40, 50, 60));
    Rotate90Clockwise(picture);
    ASSERT_EQ(picture.format(), QImage::Format_BGR888);
    EXPECT_EQ(picture.pixel(1, 0), qRgb(10, 20, 30));
    EXPECT_EQ(picture.pixel(0, 2), qRgb(40, 50, 60));

    QImage empty;
    Rotate90Clockwise(empty);
    Rotate180(empty);
    EXPECT_TRUE(empty.isNull());
}
