#include "common/VistranoError.h"
#include "print/SheetLayout.h"

#include <gtest/gtest.h>

namespace {

QList<QPoint> Corners(const TSheetPlan &plan, int page)
{
    QList<QPoint> corners;
    for (const TSheetPlacement &slide : plan.Slides) {
        if (slide.Page == page)
            corners.append(QPoint(slide.Place.Cell.Left, slide.Place.Cell.Top));
    }
    return corners;
}

} // namespace

TEST(SheetLayout, LetterAt600DotsAnInch)
{
    const TSheetMetrics m = SheetMetrics(600, 600, 5100, 6600);
    EXPECT_EQ(m.Margin, 300);
    EXPECT_EQ(m.CellSize, 1200);
    EXPECT_EQ(m.Gap, 150);
    EXPECT_EQ(m.TextOffset, 60);
    EXPECT_EQ(m.TextHeight, 600);
    EXPECT_EQ(m.RightLimit, 4800);
    EXPECT_EQ(m.BottomLimit, 6300);
    EXPECT_EQ(m.FooterDrop, 4); // 3.75
    EXPECT_EQ(SheetFooterPosition(m), QPoint(300, 6304));

    const TSheetCell first = FirstSheetCell(m);
    EXPECT_EQ(first.Cell, (TSheetRect{300, 300, 1500, 1500}));
    EXPECT_EQ(first.Text, (TSheetRect{300, 1560, 1500, 2160}));

    // Three cells a row, three rows a page; the ninth slide fills the page,
    // and the step after it begins a page that carries only the footer.
    const TSheetPlan nine = PlanSlideSheet(m, 9);
    const QList<QPoint> expected = {{300, 300},  {1650, 300},  {3000, 300},  {300, 2310}, {1650, 2310},
                                    {3000, 2310}, {300, 4320}, {1650, 4320}, {3000, 4320}};
    EXPECT_EQ(Corners(nine, 0), expected);
    EXPECT_EQ(nine.PageCount, 2);

    const TSheetPlan ten = PlanSlideSheet(m, 10);
    EXPECT_EQ(Corners(ten, 1), QList<QPoint>({{300, 300}}));
    EXPECT_EQ(ten.PageCount, 2);
    EXPECT_EQ(PlanSlideSheet(m, 8).PageCount, 1);
    EXPECT_EQ(PlanSlideSheet(m, 0).PageCount, 1);
    EXPECT_EQ(PlanSlideSheet(m, 18).PageCount, 3);
    EXPECT_EQ(PlanSlideSheet(m, 19).PageCount, 3);

    // A fourth cell would end at 5550, past the right limit.
    bool newPage = true;
    const TSheetCell afterThird = NextSheetCell(m, SheetCellAt(m, 3000, 300), newPage);
    EXPECT_FALSE(newPage);
    EXPECT_EQ(afterThird.Cell.Left, 300);
    EXPECT_EQ(afterThird.Cell.Top, 2310);
    // A fourth row would end its text at 8190, below the bottom limit.
    const TSheetCell afterNinth = NextSheetCell(m, SheetCellAt(m, 3000, 4320), newPage);
    EXPECT_TRUE(newPage);
    EXPECT_EQ(afterNinth.Cell, first.Cell);
}

TEST(SheetLayout, LetterAt300AndOtherPages)
{
    const TSheetMetrics m = SheetMetrics(300, 300, 2550, 3300);
    EXPECT_EQ(m.Margin, 150);
    EXPECT_EQ(m.CellSize, 600);
    EXPECT_EQ(m.Gap, 75);
    EXPECT_EQ(m.TextOffset, 30);
    EXPECT_EQ(m.TextHeight, 300);
    EXPECT_EQ(m.FooterDrop, 2); // 1.875
    const TSheetPlan plan = PlanSlideSheet(m, 9);
    EXPECT_EQ(Corners(plan, 0), QList<QPoint>({{150, 150}, {825, 150}, {1500, 150}, {150, 1155}, {825, 1155},
                                               {1500, 1155}, {150, 2160}, {825, 2160}, {1500, 2160}}));
    EXPECT_EQ(plan.PageCount, 2);

    // A4 at 600 (4961 by 7016) also takes nine; Letter turned sideways takes
    // four across and two rows.
    EXPECT_EQ(Corners(PlanSlideSheet(SheetMetrics(600, 600, 4961, 7016), 12), 0).size(), 9);
    const TSheetPlan landscape = PlanSlideSheet(SheetMetrics(600, 600, 6600, 5100), 9);
    EXPECT_EQ(Corners(landscape, 0), QList<QPoint>({{300, 300}, {1650, 300}, {3000, 300}, {4350, 300},
                                                    {300, 2310}, {1650, 2310}, {3000, 2310}, {4350, 2310}}));
    EXPECT_EQ(Corners(landscape, 1), QList<QPoint>({{300, 300}}));

    // Different resolutions across and down: the cell is square in dpiX,
    // the text block is dpiY high.
    const TSheetMetrics mixed = SheetMetrics(600, 300, 5100, 3300);
    const TSheetCell cell = FirstSheetCell(mixed);
    EXPECT_EQ(cell.Cell, (TSheetRect{300, 300, 1500, 1500}));
    EXPECT_EQ(cell.Text, (TSheetRect{300, 1530, 1500, 1830}));
}

TEST(SheetLayout, HalvesRoundToEven)
{
    EXPECT_EQ(SheetMetrics(5, 5, 100, 100).Margin, 2);    // 2.5
    EXPECT_EQ(SheetMetrics(7, 7, 100, 100).Margin, 4);    // 3.5
    EXPECT_EQ(SheetMetrics(2, 2, 100, 100).Gap, 0);       // 0.5
    EXPECT_EQ(SheetMetrics(6, 6, 100, 100).Gap, 2);       // 1.5
    EXPECT_EQ(SheetMetrics(5, 5, 100, 100).TextOffset, 0);   // 0.5
    EXPECT_EQ(SheetMetrics(15, 15, 100, 100).TextOffset, 2); // 1.5
    EXPECT_EQ(SheetMetrics(80, 80, 100, 100).FooterDrop, 0);  // 0.5
    EXPECT_EQ(SheetMetrics(240, 240, 100, 100).FooterDrop, 2); // 1.5
    EXPECT_EQ(SheetMetrics(200, 200, 100, 100).FooterDrop, 1); // 1.25
}

TEST(SheetLayout, PagesTooSmallForACellStillEnd)
{
    // Not even one place fits: every slide gets a page of its own, and the
    // sheet ends.
    const TSheetMetrics m = SheetMetrics(600, 600, 1000, 1000);
    const TSheetPlan plan = PlanSlideSheet(m, 5);
    EXPECT_EQ(plan.PageCount, 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(plan.Slides[i].Page, i);

    EXPECT_THROW(SheetMetrics(0, 600, 5100, 6600), VistranoError);
    EXPECT_THROW(SheetMetrics(600, 600, 0, 6600), VistranoError);
}
