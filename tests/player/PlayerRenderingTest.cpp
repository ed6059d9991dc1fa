#include "player/CaptionLayout.h"
#include "player/SlideFrame.h"
#include "player/TransitionFrame.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage Filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool IsBlack(QRgb pixel)
{
    return qRed(pixel) < 8 && qGreen(pixel) < 8 && qBlue(pixel) < 8;
}

// How many pixels of the rectangle are close to white.
int WhitePixels(const QImage &image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
    return count;
}

} // namespace

TEST(PlayerRendering, PicturesAreScaledToFitAndCentred)
{
    EXPECT_EQ(FitPictureRect({1024, 768}, {1024, 768}), QRect(0, 0, 1024, 768));
    EXPECT_EQ(FitPictureRect({576, 768}, {1024, 768}), QRect(224, 0, 576, 768));
    EXPECT_EQ(FitPictureRect({800, 450}, {800, 600}), QRect(0, 75, 800, 450));
    EXPECT_EQ(FitPictureRect({320, 240}, {1280, 1024}), QRect(0, 32, 1280, 960)); // enlarged
    EXPECT_EQ(FitPictureRect({4000, 100}, {640, 480}), QRect(0, 232, 640, 16));
    EXPECT_TRUE(FitPictureRect({0, 0}, {640, 480}).isEmpty());

    // A portrait picture on a landscape screen: black bars left and right.
    const QImage frame = RenderSlideFrame(Filled({300, 400}, Qt::red), {}, {}, {1024, 768});
    ASSERT_EQ(frame.size(), QSize(1024, 768));
    EXPECT_TRUE(IsBlack(frame.pixel(100, 384)));
    EXPECT_TRUE(IsBlack(frame.pixel(923, 384)));
    EXPECT_EQ(QColor(frame.pixel(512, 384)), QColor(Qt::red));
    EXPECT_EQ(QColor(frame.pixel(225, 1)), QColor(Qt::red));
    EXPECT_TRUE(IsBlack(frame.pixel(222, 1)));

    // A picture that did not decode leaves the screen black.
    const QImage nothing = RenderSlideFrame(QImage(), {}, {}, {64, 48});
    EXPECT_TRUE(IsBlack(nothing.pixel(32, 24)));
}

TEST(PlayerRendering, CaptionsSitOverTheBottomOfThePicture)
{
    const QSize screen(1024, 768);
    const QRect picture(224, 0, 576, 768);
    const CaptionLayout layout = LayoutCaption("A day at the lake", picture, screen);
    EXPECT_EQ(layout.text, "A day at the lake");
    EXPECT_GE(layout.font.pixelSize(), 768 / 24);
    EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(layout.band));
    EXPECT_GT(layout.band.top(), 768 * 3 / 4);
    EXPECT_LE(layout.band.bottom(), picture.bottom());
    EXPECT_NEAR(layout.band.center().x(), picture.center().x(), 1);

    // A letterboxed picture: the caption stays over it, not in the bar.
    const QRect wide(0, 159, 1024, 450);
    EXPECT_LE(LayoutCaption("x", wide, screen).band.bottom(), wide.bottom());

    // Long captions wrap to at most three lines and stay on the screen.
    const QString longText = QString("word ").repeated(200);
    const CaptionLayout wrapped = LayoutCaption(longText, picture, screen);
    EXPECT_LE(wrapped.text.count('\n'), 2);
    EXPECT_GE(wrapped.text.count('\n'), 1);
    EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(wrapped.band));

    EXPECT_TRUE(LayoutCaption("   ", picture, screen).text.isEmpty());

    // Drawn: white text on a dark band over a white picture still reads.
    const QImage frame = RenderSlideFrame(Filled({1024, 768}, Qt::white), "Caption", {}, screen);
    const CaptionLayout drawn = LayoutCaption("Caption", QRect(0, 0, 1024, 768), screen);
    EXPECT_LT(qGray(frame.pixel(drawn.band.left() + 3, drawn.band.center().y())), 140);
    EXPECT_GT(WhitePixels(frame, drawn.textRect), 50);
    EXPECT_EQ(WhitePixels(frame, QRect(0, 0, 1024, 300)), 1024 * 300);
}

// Over the black bars beside a portrait a dark band does not show, so the
// caption must keep to the picture; a picture too narrow for a readable line
// gets a wider band in a tone that shows on black.
TEST(PlayerRendering, TheCaptionBandHoldsItsText)
{
    const QSize screen(1024, 768);
    const QString caption = "Two figs on a red plate, and the long walk by the lake in the evening sun";
    for (const QSize picture : {QSize(576, 768), QSize(432, 768), QSize(1024, 576), QSize(40, 768)}) {
        const QRect place = FitPictureRect(picture, screen);
        const CaptionLayout layout = LayoutCaption(caption, place, screen);
        const bool narrow = picture.width() < 100;
        EXPECT_EQ(place.contains(layout.band), !narrow) << picture.width();
        EXPECT_TRUE(layout.band.contains(layout.textRect));

        const QImage frame = RenderSlideFrame(Filled(picture, Qt::red), caption, {}, screen);
        int textOutsideBand = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                textOutsideBand += !layout.band.contains(x, y) && qGray(frame.pixel(x, y)) > 200 ? 1 : 0;
        EXPECT_EQ(textOutsideBand, 0) << picture.width();
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(layout.band));
        // Where the band lies on a black bar it shows.
        if (narrow)
            EXPECT_GT(qGray(frame.pixel(layout.band.left() + 12, layout.band.center().y())), 20);
    }
}

TEST(PlayerRendering, TransitionMidpoints)
{
    const QSize screen(80, 60);
    const QImage from = Filled(screen, Qt::red);
    const QImage to = Filled(screen, Qt::blue);
    auto at = [&](int transition, double progress, int x, int y) {
        return QColor(ComposeTransitionFrame(from, to, transition, progress).pixel(x, y));
    };
    // Cut: the new picture at once.
    EXPECT_EQ(at(0, 0.5, 40, 30), QColor(Qt::blue));
    // Dissolve: half of each.
    const QColor mixed = at(1, 0.5, 40, 30);
    EXPECT_NEAR(mixed.red(), 128, 3);
    EXPECT_NEAR(mixed.blue(), 128, 3);
    EXPECT_EQ(at(1, 0.0, 40, 30), QColor(Qt::red));
    EXPECT_EQ(at(1, 1.0, 40, 30), QColor(Qt::blue));
    // Wipe From Left: the left half is new.
    EXPECT_EQ(at(2, 0.5, 39, 30), QColor(Qt::blue));
    EXPECT_EQ(at(2, 0.5, 40, 30), QColor(Qt::red));
    EXPECT_EQ(at(2, 0.25, 19, 0), QColor(Qt::blue));
    EXPECT_EQ(at(2, 0.25, 20, 0), QColor(Qt::red));
    // Wipe From Right.
    EXPECT_EQ(at(3, 0.5, 39, 30), QColor(Qt::red));
    EXPECT_EQ(at(3, 0.5, 40, 30), QColor(Qt::blue));
    // Wipe From Top.
    EXPECT_EQ(at(4, 0.5, 40, 29), QColor(Qt::blue));
    EXPECT_EQ(at(4, 0.5, 40, 30), QColor(Qt::red));
    // Wipe From Bottom.
    EXPECT_EQ(at(5, 0.5, 40, 29), QColor(Qt::red));
    EXPECT_EQ(at(5, 0.5, 40, 30), QColor(Qt::blue));
    EXPECT_EQ(at(5, 1.0, 40, 0), QColor(Qt::blue));
}

TEST(PlayerRendering, MessagesStandInTheMiddle)
{
    const QImage frame = RenderMessageFrame("This slideshow holds no slides.", {640, 480});
    EXPECT_GT(WhitePixels(frame, QRect(0, 200, 640, 80)), 100);
    EXPECT_EQ(WhitePixels(frame, QRect(0, 0, 640, 150)), 0);
}
