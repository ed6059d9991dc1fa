#include "slides/RectBox.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A shown parent with slide boxes on it, as the strip holds them.
class RectBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent = std::make_unique<QWidget>();
        parent->resize(700, 200);
        parent->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
    }

    TRectBox *AddBox(int left, int width)
    {
        auto *box = new TRectBox(parent.get());
        box->SetLeft(left);
        box->SetTop(10);
        box->SetWidth(width);
        box->SetHeight(100);
        box->show();
        return box;
    }

    // The pointer moves to a point of the parent; the box that holds the
    // mouse gets the move, in its own coordinates at that moment.
    static void DragTo(TRectBox *box, QPoint onParent)
    {
        QTest::mouseMove(box, box->mapFromParent(onParent));
    }

    static QColor PixelOf(TRectBox *box, QPoint at)
    {
        return box->grab().toImage().pixelColor(at);
    }

    std::unique_ptr<QWidget> parent;
};

} // namespace

TEST_F(RectBoxTest, StartsWithItsDefaultsAndFollowsItsBounds)
{
    TRectBox *box = AddBox(10, 133);
    EXPECT_EQ(box->geometry(), QRect(10, 10, 133, 100));
    EXPECT_EQ(box->BoxSize(), 5);
    EXPECT_TRUE(box->AutoForeGround());
    EXPECT_EQ(box->PressPoint(), QPoint(0, 0));
    box->SetLeft(-20);
    box->SetWidth(-5);
    EXPECT_EQ(box->geometry(), QRect(-20, 10, 0, 100));
    EXPECT_EQ(box->Width(), -5);
}

TEST_F(RectBoxTest, HoverChoosesTheModeAndCursorOfTheZone)
{
    TRectBox *box = AddBox(10, 133);
    QTest::mouseMove(box, QPoint(2, 2));
    EXPECT_EQ(box->CurrentDragMode(), DragMode::TopLeft);
    EXPECT_EQ(box->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(box, QPoint(130, 97));
    EXPECT_EQ(box->CurrentDragMode(), DragMode::BottomRight);
    QTest::mouseMove(box, QPoint(130, 2));
    EXPECT_EQ(box->cursor().shape(), Qt::SizeBDiagCursor);
    QTest::mouseMove(box, QPoint(130, 50));
    EXPECT_EQ(box->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(box, QPoint(66, 97));
    EXPECT_EQ(box->cursor().shape(), Qt::SizeVerCursor);
    QTest::mouseMove(box, QPoint(66, 50));
    EXPECT_EQ(box->CurrentDragMode(), DragMode::None);
    EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(box, QPoint(30, 50));
    EXPECT_EQ(box->CurrentDragMode(), DragMode::Move);
}

TEST_F(RectBoxTest, DraggingInTheMoveZoneMovesByThePointersTravel)
{
    TRectBox *box = AddBox(10, 133);
    QSignalSpy resized(box, &TRectBox::Resized);
    QSignalSpy released(box, &TRectBox::MouseUp);
    // The middle band does not move the box.
    QTest::mouseMove(box, QPoint(66, 50));
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(66, 50));
    DragTo(box, QPoint(150, 70));
    EXPECT_EQ(box->Bounds(), BoxBounds({10, 10, 133, 100}));
    EXPECT_EQ(resized.count(), 1); // raised for mode 0 too
    QTest::mouseRelease(box, Qt::LeftButton, {}, box->mapFromParent(QPoint(150, 70)));
    EXPECT_EQ(released.count(), 1);
    EXPECT_EQ(box->PressPoint(), QPoint(-1, -1));
    EXPECT_EQ(box->CurrentDragMode(), DragMode::None);

    // At (30, 50) it follows the pointer: 40 pixels on and 5 down.
    QTest::mouseMove(box, QPoint(30, 50));
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(30, 50));
    EXPECT_EQ(box->PressPoint(), QPoint(30, 50));
    DragTo(box, QPoint(10 + 30 + 40, 10 + 50 + 5));
    EXPECT_EQ(box->Bounds(), BoxBounds({50, 15, 133, 100}));
    EXPECT_EQ(box->pos(), QPoint(50, 15));
    QTest::mouseRelease(box, Qt::LeftButton, {}, box->mapFromParent(QPoint(80, 65)));
    EXPECT_EQ(released.count(), 2);
    // Slides keep their duration and transition whatever the mouse does.
    EXPECT_EQ(box->AbLeft(), 0);
    EXPECT_EQ(box->AbTop(), 0);
}

TEST_F(RectBoxTest, ResizingRefusesBoxesBelowThreeHandles)
{
    TRectBox *box = AddBox(10, 133);
    QSignalSpy resized(box, &TRectBox::Resized);
    QTest::mouseMove(box, QPoint(130, 50));
    ASSERT_EQ(box->CurrentDragMode(), DragMode::Right);
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(130, 50));
    DragTo(box, QPoint(10 + 10, 60));
    EXPECT_EQ(box->Width(), 133);
    EXPECT_EQ(resized.count(), 1); // also when refused
    DragTo(box, QPoint(10 + 20, 60));
    EXPECT_EQ(box->Width(), 20);
    EXPECT_EQ(box->width(), 20);
    EXPECT_EQ(box->Height(), 100);
    QTest::mouseRelease(box, Qt::LeftButton, {}, box->mapFromParent(QPoint(30, 60)));

    // Geometry from a canvas resolution is stored as inches on every move.
    box->SetCanvasPPI(10);
    QTest::mouseMove(box, QPoint(8, 30));
    EXPECT_DOUBLE_EQ(box->AbLeft(), 1.0);
    EXPECT_DOUBLE_EQ(box->AbWidth(), 2.0);
}

TEST_F(RectBoxTest, PressingFocusesBringsToFrontAndTakesFocusFromTheOthers)
{
    TRectBox *first = AddBox(10, 133);
    TRectBox *second = AddBox(153, 75);
    second->SetFocus(true);
    QTest::mouseMove(first, QPoint(30, 50));
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(30, 50));
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(30, 50));
    EXPECT_TRUE(first->Focus());
    EXPECT_FALSE(second->Focus());
    EXPECT_EQ(parent->children().last(), first);

    // Without AutoForeGround the child order stays.
    second->SetAutoForeGround(false);
    QTest::mouseMove(second, QPoint(30, 50));
    QTest::mousePress(second, Qt::LeftButton, {}, QPoint(30, 50));
    QTest::mouseRelease(second, Qt::LeftButton, {}, QPoint(30, 50));
    EXPECT_TRUE(second->Focus());
    EXPECT_FALSE(first->Focus());
    EXPECT_EQ(parent->children().last(), first);

    ClearSlideFocus(first);
    EXPECT_FALSE(first->Focus());
    EXPECT_FALSE(second->Focus());

    // A right click does not select; it asks for the pop-up menu.
    second->SetPopupMenu(kSlidePopupMenu);
    QSignalSpy menu(second, &TRectBox::ContextMenu);
    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(20, 20), second->mapToGlobal(QPoint(20, 20)));
    QTest::mousePress(second, Qt::RightButton, {}, QPoint(20, 20));
    QApplication::sendEvent(second, &context);
    EXPECT_FALSE(second->Focus());
    EXPECT_EQ(menu.count(), 1);
}

TEST_F(RectBoxTest, FrameIsRedWhenFocusedGreyOtherwiseWithHandlesOnlyWhenAsked)
{
    TRectBox *box = AddBox(10, 133);
    EXPECT_EQ(PixelOf(box, {0, 50}), QColor(128, 128, 128));
    EXPECT_EQ(PixelOf(box, {132, 99}), QColor(128, 128, 128));
    box->SetFocus(true);
    EXPECT_EQ(PixelOf(box, {0, 30}), QColor(255, 0, 0));
    EXPECT_EQ(PixelOf(box, {30, 99}), QColor(255, 0, 0));
    // The handles are drawn over the frame in the box colour.
    EXPECT_EQ(PixelOf(box, {2, 2}), QColor(0, 0, 0));
    EXPECT_EQ(PixelOf(box, {130, 50}), QColor(0, 0, 0));
    box->SetDrawBoxes(false);
    EXPECT_EQ(PixelOf(box, {2, 2}).alpha(), 0);
    EXPECT_EQ(PixelOf(box, {0, 2}), QColor(255, 0, 0));

    box->SetFocus(false);
    box->SetHidePassiveFrame(true);
    EXPECT_EQ(PixelOf(box, {0, 50}).alpha(), 0);
    box->SetFocus(true);
    box->SetDrawFrame(false);
    EXPECT_EQ(PixelOf(box, {0, 50}).alpha(), 0);

    // The content comes from OnPaint, under the frame.
    box->SetDrawFrame(true);
    box->SetOnPaint([](TRectBox *, QPainter &canvas, const QRect &content) { canvas.fillRect(content, Qt::blue); });
    EXPECT_EQ(PixelOf(box, {50, 50}), QColor(0, 0, 255));
    EXPECT_EQ(PixelOf(box, {131, 98}), QColor(0, 0, 255));
    EXPECT_EQ(PixelOf(box, {132, 30}), QColor(255, 0, 0));
}

TEST_F(RectBoxTest, ABoxThatGoesAwayIsNoLongerLinked)
{
    TRectBox *first = AddBox(10, 133);
    TRectBox *second = AddBox(153, 75);
    first->SetLinkChild(second);
    second->SetLinkParent(first);
    delete second;
    EXPECT_EQ(first->LinkChild(), nullptr);
    auto *third = AddBox(300, 75);
    third->SetLinkParent(first);
    delete first;
    EXPECT_EQ(third->LinkParent(), nullptr);
}
