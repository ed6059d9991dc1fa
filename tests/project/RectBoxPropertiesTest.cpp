#include "project/RectBoxProperties.h"
#include "project/RectBoxPropertyTable.h"
#include "project/SlideLayout.h"

#include <gtest/gtest.h>

namespace {

// A box that counts the repaints and moves its setters ask for, as a widget
// built on the data does.
class CountingBox : public RectBoxProperties
{
public:
    int appearance = 0;
    int bounds = 0;

protected:
    void Changed(RectBoxChange change) override { ++(change == RectBoxChange::Bounds ? bounds : appearance); }
};

} // namespace

TEST(RectBoxProperties, ANewBoxHasItsInitialValues)
{
    const RectBoxProperties box;
    EXPECT_EQ(box.BoxType(), TBoxType::btImage);
    EXPECT_TRUE(box.AutoForeGround());
    EXPECT_EQ(box.FrameType(), TFrameType::ftOuter);
    EXPECT_EQ(box.BoxSize(), 5);
    EXPECT_EQ(box.BoxColor(), 0);
    EXPECT_EQ(box.ActiveFrameColor(), 255);
    EXPECT_EQ(box.FilteredFrameColor(), 65280);
    EXPECT_EQ(box.PassiveFrameColor(), 8421504);
    EXPECT_TRUE(box.DrawFrame());
    EXPECT_TRUE(box.DrawBoxes());
    EXPECT_FALSE(box.Focus());
    EXPECT_TRUE(box.ParentFont());
    EXPECT_FALSE(box.PictureData().Assigned());
    EXPECT_EQ(box.Ratio(), 0);
    EXPECT_EQ(box.Alignment(), TAlignment::taCenter);
    EXPECT_EQ(box.HelpType(), THelpType::htContext);
    for (int32_t filter : {box.FilterRed(), box.FilterGreen(), box.FilterBlue(), box.FilterSaturation(),
                           box.FilterBrightness(), box.FilterContrast(), box.FilterGamma(), box.FilterSharpness()})
        EXPECT_EQ(filter, 100);
    EXPECT_EQ(box.FilterUSMRatio(), 0);
    EXPECT_EQ(box.FilterUSMAmount(), 0);
    EXPECT_EQ(box.AbLeft(), 0);
    EXPECT_EQ(box.LinkChild(), nullptr);
    EXPECT_TRUE(box.PopupMenu().isEmpty());
}

TEST(RectBoxProperties, SettersRepaintOnlyOnChange)
{
    CountingBox box;
    EXPECT_TRUE(box.SetCaption(QStringLiteral("x")));
    EXPECT_FALSE(box.SetCaption(QStringLiteral("x")));
    EXPECT_TRUE(box.SetAbLeft(4));
    EXPECT_FALSE(box.SetAbLeft(4));
    EXPECT_EQ(box.appearance, 2);
    EXPECT_TRUE(box.SetLeft(10));
    EXPECT_FALSE(box.SetLeft(10));
    EXPECT_TRUE(box.SetWidth(133));
    EXPECT_EQ(box.bounds, 2);
    // The line list always repaints, even unchanged.
    EXPECT_TRUE(box.SetLines({}));
    EXPECT_EQ(box.appearance, 3);
}

TEST(RectBoxProperties, BoxSizeIsOddAndBetween2And50)
{
    CountingBox box;
    EXPECT_TRUE(box.SetBoxSize(6));
    EXPECT_EQ(box.BoxSize(), 7);
    EXPECT_FALSE(box.SetBoxSize(1));
    EXPECT_FALSE(box.SetBoxSize(51));
    EXPECT_FALSE(box.SetBoxSize(7));
    EXPECT_EQ(box.BoxSize(), 7);
    EXPECT_TRUE(box.SetBoxSize(4));
    EXPECT_EQ(box.BoxSize(), 5);
    EXPECT_TRUE(box.SetBoxSize(50));
    EXPECT_EQ(box.BoxSize(), 51);
    EXPECT_TRUE(box.SetBoxSize(2));
    EXPECT_EQ(box.BoxSize(), 3);
    EXPECT_EQ(box.appearance, 4);
}

TEST(RectBoxProperties, TurningFilteringOffClearsTheEightFilters)
{
    RectBoxProperties box;
    box.SetFilterUSMRatio(3);
    EXPECT_FALSE(box.SetIsFiltered(false));
    EXPECT_EQ(box.FilterRed(), 100);
    box.SetIsFiltered(true);
    EXPECT_EQ(box.FilterRed(), 100);
    box.SetIsFiltered(false);
    for (int32_t filter : {box.FilterRed(), box.FilterGreen(), box.FilterBlue(), box.FilterSaturation(),
                           box.FilterBrightness(), box.FilterContrast(), box.FilterGamma(), box.FilterSharpness()})
        EXPECT_EQ(filter, 0);
    EXPECT_EQ(box.FilterUSMRatio(), 3);
}

TEST(RectBoxProperties, PictureIsCopiedAsA24BitBitmap)
{
    QImage source(4, 3, QImage::Format_RGB32);
    source.fill(qRgb(10, 20, 30));
    RectBoxProperties box;
    box.SetPicture(source);
    source.fill(qRgb(0, 0, 0));
    EXPECT_EQ(box.Picture().format(), QImage::Format_BGR888);
    EXPECT_EQ(box.Picture().pixel(3, 2), qRgb(10, 20, 30));
    EXPECT_TRUE(box.PictureData().Assigned());
    EXPECT_TRUE(box.PictureData().FileData().isEmpty());
}

TEST(RectBoxProperties, TheTableListsTheSeventyNinePropertiesInOrder)
{
    const auto table = RectBoxPropertyTable();
    ASSERT_EQ(table.size(), 79u);
    EXPECT_STREQ(table[0].name, "Name");
    EXPECT_STREQ(table[11].name, "BoxType");
    EXPECT_STREQ(table[30].name, "Font");
    EXPECT_STREQ(table[37].name, "Ratio");
    EXPECT_STREQ(table[42].name, "Lines");
    EXPECT_STREQ(table[61].name, "AbLeft");
    EXPECT_STREQ(table[67].name, "PopupMenu");
    EXPECT_STREQ(table[77].name, "OnResize");
    EXPECT_STREQ(table[78].name, "Motion");
    EXPECT_EQ(FindRectBoxProperty("abtop"), &table[62]);
    EXPECT_EQ(FindRectBoxProperty("Data"), nullptr);
}

TEST(SlideLayout, PacksByLeftWithTenPixelGaps)
{
    RectBoxProperties a, b, c, d;
    a.SetWidth(133);
    b.SetWidth(75);
    c.SetWidth(100);
    d.SetWidth(133);
    a.SetLeft(500);
    b.SetLeft(-20);
    c.SetLeft(500); // equal Left: keeps its place after a
    d.SetLeft(900);
    d.SetTop(47);
    RectBoxProperties *slides[] = {&a, &b, &c, &d};
    const auto order = LayoutSlides(slides);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], &b);
    EXPECT_EQ(order[1], &a);
    EXPECT_EQ(order[2], &c);
    EXPECT_EQ(order[3], &d);
    EXPECT_EQ(b.Left(), 10);
    EXPECT_EQ(a.Left(), 95);
    EXPECT_EQ(c.Left(), 238);
    EXPECT_EQ(d.Left(), 348);
    EXPECT_EQ(d.Top(), 10);

    EXPECT_EQ(DroppedSlideLeft(true, 400, 0), 10);
    EXPECT_EQ(DroppedSlideLeft(false, 400, 2), 600);
}
