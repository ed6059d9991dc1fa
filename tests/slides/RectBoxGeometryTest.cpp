#include "project/RectBoxProperties.h"
#include "slides/IntegerText.h"
#include "slides/RectBoxGeometry.h"
#include "project/SlideRotation.h"

#include <QImage>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

HoverZone Zone(DragMode mode, ZoneCursor cursor)
{
    return {mode, cursor};
}

} // namespace

TEST(RectBoxGeometry, HoverZonesOfASlideBox)
{
    // A slide box 133 by 100 with handles of 5: xMid 64, yMid 47.
    const auto at = [](int x, int y) { return HoverZoneAt(x, y, 133, 100, 5); };
    EXPECT_EQ(at(2, 2), Zone(DragMode::TopLeft, ZoneCursor::SizeNWSE));
    EXPECT_EQ(at(66, 50), Zone(DragMode::None, ZoneCursor::Arrow)); // the middle band
    EXPECT_EQ(at(30, 50), Zone(DragMode::Move, ZoneCursor::Arrow));
    EXPECT_EQ(at(2, 50), Zone(DragMode::Left, ZoneCursor::SizeHorizontal));
    EXPECT_EQ(at(2, 97), Zone(DragMode::BottomLeft, ZoneCursor::SizeNESW));
    EXPECT_EQ(at(2, 30), Zone(DragMode::None, ZoneCursor::Arrow));
    EXPECT_EQ(at(130, 2), Zone(DragMode::TopRight, ZoneCursor::SizeNESW));
    EXPECT_EQ(at(130, 50), Zone(DragMode::Right, ZoneCursor::SizeHorizontal));
    EXPECT_EQ(at(130, 97), Zone(DragMode::BottomRight, ZoneCursor::SizeNWSE));
    EXPECT_EQ(at(130, 70), Zone(DragMode::None, ZoneCursor::Arrow));
    EXPECT_EQ(at(66, 2), Zone(DragMode::Top, ZoneCursor::SizeVertical));
    EXPECT_EQ(at(66, 97), Zone(DragMode::Bottom, ZoneCursor::SizeVertical));
    // Both bounds are excluded: the edge pixels themselves are no handle.
    EXPECT_EQ(at(0, 2).mode, DragMode::None);
    EXPECT_EQ(at(5, 2).mode, DragMode::Move);
    EXPECT_EQ(at(64, 50).mode, DragMode::Move);
    EXPECT_EQ(at(69, 50).mode, DragMode::Move);
    EXPECT_EQ(at(65, 50).mode, DragMode::None);
    EXPECT_EQ(at(2, 47).mode, DragMode::None);
    EXPECT_EQ(at(2, 48).mode, DragMode::Left);
    EXPECT_EQ(at(2, 52).mode, DragMode::None);
    // Outside the box nothing changes.
    EXPECT_EQ(at(133, 50), Zone(DragMode::None, ZoneCursor::Unchanged));
    EXPECT_EQ(at(-1, -1), Zone(DragMode::None, ZoneCursor::Unchanged));
}

TEST(RectBoxGeometry, DraggingMovesAndResizesWithinTheSizeGuard)
{
    const BoxBounds box{10, 10, 133, 100};
    const QPoint press(30, 50);
    // Moving follows the pointer's travel.
    EXPECT_EQ(DraggedBounds(DragMode::Move, box, {20, 55}, press, 0, false, 5), BoxBounds({0, 15, 133, 100}));
    // The right edge to X = 10 is refused (below 3 x 5), to 20 accepted.
    EXPECT_EQ(DraggedBounds(DragMode::Right, box, {10, 50}, press, 0, false, 5), std::nullopt);
    EXPECT_EQ(DraggedBounds(DragMode::Right, box, {14, 50}, press, 0, false, 5), std::nullopt);
    EXPECT_EQ(DraggedBounds(DragMode::Right, box, {15, 50}, press, 0, false, 5), BoxBounds({10, 10, 15, 100}));
    EXPECT_EQ(DraggedBounds(DragMode::Right, box, {20, 50}, press, 0, false, 5), BoxBounds({10, 10, 20, 100}));
    // Every handle, not proportional.
    EXPECT_EQ(DraggedBounds(DragMode::TopLeft, box, {3, 4}, press, 0, false, 5), BoxBounds({13, 14, 130, 96}));
    EXPECT_EQ(DraggedBounds(DragMode::Top, box, {60, -5}, press, 0, false, 5), BoxBounds({10, 5, 133, 105}));
    EXPECT_EQ(DraggedBounds(DragMode::TopRight, box, {150, 4}, press, 0, false, 5), BoxBounds({10, 14, 150, 96}));
    EXPECT_EQ(DraggedBounds(DragMode::Left, box, {-7, 4}, press, 0, false, 5), BoxBounds({3, 10, 140, 100}));
    EXPECT_EQ(DraggedBounds(DragMode::BottomLeft, box, {3, 90}, press, 0, false, 5), BoxBounds({13, 10, 130, 90}));
    EXPECT_EQ(DraggedBounds(DragMode::Bottom, box, {60, 120}, press, 0, false, 5), BoxBounds({10, 10, 133, 120}));
    EXPECT_EQ(DraggedBounds(DragMode::BottomRight, box, {150, 80}, press, 0, false, 5),
              BoxBounds({10, 10, 150, 80}));
    EXPECT_EQ(DraggedBounds(DragMode::None, box, {150, 80}, press, 0, false, 5), std::nullopt);
    // Proportional: R is height per unit of width; halves round to even.
    const BoxBounds square{0, 0, 100, 100};
    EXPECT_EQ(DraggedBounds(DragMode::Right, square, {50, 0}, press, 0.5L, true, 5), BoxBounds({0, 0, 50, 25}));
    EXPECT_EQ(DraggedBounds(DragMode::Right, square, {45, 0}, press, 0.5L, true, 5), BoxBounds({0, 0, 45, 22}));
    EXPECT_EQ(DraggedBounds(DragMode::Bottom, square, {0, 40}, press, 0.5L, true, 5), BoxBounds({0, 0, 80, 40}));
    EXPECT_EQ(DraggedBounds(DragMode::BottomRight, square, {120, 0}, press, 0.5L, true, 5),
              BoxBounds({0, -10, 120, 60}));
    EXPECT_EQ(DraggedBounds(DragMode::BottomLeft, square, {10, 0}, press, 0.5L, true, 5),
              BoxBounds({10, 5, 90, 45}));
    // A ratio of 0 divides to infinity: refused, not undefined.
    EXPECT_EQ(DraggedBounds(DragMode::Bottom, square, {0, 40}, press, 0, true, 5), std::nullopt);
    // Far-out pointers do not overflow.
    const BoxBounds far{std::numeric_limits<int>::max() - 5, 0, 100, 100};
    const auto moved = DraggedBounds(DragMode::Move, far, {100000, 0}, {0, 0}, 0, false, 5);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->left, std::numeric_limits<int>::max());
}

TEST(RectBoxGeometry, FrameHandlesAndTexts)
{
    EXPECT_EQ(FrameInset(TFrameType::ftOuter, 5), 0);
    EXPECT_EQ(FrameInset(TFrameType::ftInner, 5), 5);
    EXPECT_EQ(FrameInset(TFrameType::ftMiddle, 5), 2);
    // From (a, a) to (W - 1 - a, H - 1 - a), right and bottom exclusive.
    EXPECT_EQ(ContentRect(133, 100, 0), QRect(0, 0, 132, 99));
    EXPECT_EQ(ContentRect(133, 100, 5), QRect(5, 5, 122, 89));
    EXPECT_EQ(TextRect(133, 100, 5), QRect(QPoint(6, -5), QPoint(126, 93)));
    const auto handles = HandleCorners(133, 100, 5);
    const std::array<QPoint, 8> expected{QPoint(0, 0),    QPoint(64, 0),  QPoint(128, 0), QPoint(128, 48),
                                         QPoint(128, 95), QPoint(64, 95), QPoint(0, 95),  QPoint(0, 48)};
    EXPECT_EQ(handles, expected);

    RectBoxProperties box;
    EXPECT_EQ(FrameColour(box), clGray);
    box.SetFocus(true);
    EXPECT_EQ(FrameColour(box), clRed);
    box.SetIsFiltered(true);
    EXPECT_EQ(FrameColour(box), clLime);
    box.SetFocus(false);
    box.SetHidePassiveFrame(true);
    EXPECT_EQ(FrameColour(box), std::nullopt);
    box.SetFocus(true);
    box.SetDrawFrame(false);
    EXPECT_EQ(FrameColour(box), std::nullopt);

    box.SetLeft(10);
    box.SetTop(-3);
    box.SetWidth(133);
    box.SetHeight(100);
    EXPECT_EQ(PositionText(box), "L:10 T:-3");
    EXPECT_EQ(SizeText(box), "W:133 H:100");
}

TEST(SlideRotation, QuarterTurnsChangeAngleRatioAndWidth)
{
    RectBoxProperties slide;
    QImage thumbnail(200, 150, QImage::Format_BGR888);
    thumbnail.fill(Qt::black);
    thumbnail.setPixelColor(0, 0, Qt::white);
    slide.SetPicture(thumbnail);
    slide.SetPictureWidth(200);
    slide.SetPictureHeight(150);
    slide.SetRatio(200.0L / 150);
    slide.SetWidth(133);
    slide.SetHeight(100);
    slide.SetFileName("/pics/a.jpg");

    RotateSlide(slide, true);
    EXPECT_EQ(slide.Rotation(), 90);
    EXPECT_EQ(slide.Width(), 75);
    EXPECT_EQ(slide.Height(), 100);
    EXPECT_EQ(slide.Picture().size(), QSize(150, 200));
    // The top-left pixel went to the top-right corner.
    EXPECT_EQ(slide.Picture().pixelColor(149, 0), QColor(Qt::white));
    RotateSlide(slide, true);
    EXPECT_EQ(slide.Rotation(), 180);
    EXPECT_EQ(slide.Width(), 133);
    EXPECT_EQ(slide.Picture().pixelColor(199, 149), QColor(Qt::white));
    EXPECT_EQ(slide.PictureWidth(), 200);
    EXPECT_EQ(slide.PictureHeight(), 150);
    EXPECT_EQ(slide.FileName(), "/pics/a.jpg");

    EXPECT_EQ(RotatedAngle(0, false), 270);
    EXPECT_EQ(RotatedAngle(270, false), 180);
    EXPECT_EQ(RotatedAngle(270, true), 0);
    // A resized slide gets its height back.
    slide.SetHeight(60);
    RotateSlide(slide, false);
    EXPECT_EQ(slide.Rotation(), 90);
    EXPECT_EQ(slide.Height(), 100);
    EXPECT_EQ(slide.Width(), 75);

    // A slide without a picture or ratio still turns, and stays usable.
    RectBoxProperties empty;
    RotateSlide(empty, false);
    EXPECT_EQ(empty.Rotation(), 270);
    EXPECT_EQ(empty.Width(), 100);
    EXPECT_EQ(SlideWidthForRatio(3.125L), 312);
    EXPECT_EQ(SlideWidthForRatio(std::numeric_limits<long double>::quiet_NaN()), 100);
    EXPECT_EQ(SlideWidthForRatio(-1), 100);
}

TEST(IntegerText, ReadsTypedNumbersLikeTheDurationField)
{
    EXPECT_EQ(StrToInt("4"), 4);
    EXPECT_EQ(StrToInt("  12"), 12);
    EXPECT_EQ(StrToInt("-3"), -3);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$1A"), 26);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    for (const char *bad : {"", " ", "4 ", "4.5", "abc", "2147483648", "--1", "$", "0x", "1e3", "٣"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.message(), QString("'%1' is not a valid integer value").arg(QString::fromUtf8(bad)));
        }
    }

    EXPECT_EQ(UpDownPosition(4, 1, 60), 4);
    EXPECT_EQ(UpDownPosition(4.5, 1, 60), 4);
    EXPECT_EQ(UpDownPosition(100, 1, 60), 60);
    EXPECT_EQ(UpDownPosition(0, 1, 60), 1);
    EXPECT_EQ(UpDownPosition(std::nan(""), 1, 60), 1);
    EXPECT_EQ(UpDownPosition(INFINITY, 1, 60), 60);
    EXPECT_EQ(ListIndexForCode(3, 6), 3);
    EXPECT_EQ(ListIndexForCode(2.5, 6), 2);
    EXPECT_EQ(ListIndexForCode(6, 6), -1);
    EXPECT_EQ(ListIndexForCode(-1, 6), -1);
    EXPECT_EQ(ListIndexForCode(std::nan(""), 6), -1);
    EXPECT_EQ(ListIndexForCode(1e300, 6), -1);
}
