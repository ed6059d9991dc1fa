#include "print/SheetLayout.h"

#include "common/Rounding.h"
#include "common/VistranoError.h"

#include <QCoreApplication>

TSheetMetrics SheetMetrics(int dpiX, int dpiY, int pageWidth, int pageHeight)
{
    if (dpiX <= 0 || dpiY <= 0 || pageWidth <= 0 || pageHeight <= 0)
        throw VistranoError(QCoreApplication::translate("Print", "The printer reports no usable page size"));
    TSheetMetrics m;
    m.DpiX = dpiX;
    m.DpiY = dpiY;
    m.Margin = int(RoundHalfEven(0.5 * dpiX));
    m.CellSize = 2 * dpiX;
    m.Gap = int(RoundHalfEven(0.25 * dpiX));
    m.TextOffset = int(RoundHalfEven(0.1 * dpiY));
    m.TextHeight = dpiY;
    m.RightLimit = pageWidth - m.Margin;
    m.BottomLimit = pageHeight - m.Margin;
    m.FooterDrop = int(RoundHalfEven(dpiX * 0.1 / 16));
    return m;
}

TSheetCell SheetCellAt(const TSheetMetrics &metrics, int left, int top)
{
    TSheetCell place;
    place.Cell = {left, top, left + metrics.CellSize, top + metrics.CellSize};
    const int textTop = place.Cell.Bottom + metrics.TextOffset;
    place.Text = {place.Cell.Left, textTop, place.Cell.Right, textTop + metrics.TextHeight};
    return place;
}

TSheetCell FirstSheetCell(const TSheetMetrics &metrics)
{
    return SheetCellAt(metrics, metrics.Margin, metrics.Margin);
}

TSheetCell NextSheetCell(const TSheetMetrics &metrics, const TSheetCell &cell, bool &newPage)
{
    newPage = false;
    int left = cell.Cell.Right + metrics.Gap;
    int top = cell.Cell.Top;
    if (left + metrics.CellSize > metrics.RightLimit) {
        left = metrics.Margin;
        top = cell.Text.Bottom + metrics.Gap;
    }
    TSheetCell next = SheetCellAt(metrics, left, top);
    if (next.Text.Bottom > metrics.BottomLimit) {
        newPage = true;
        next = FirstSheetCell(metrics);
    }
    return next;
}

TSheetPlan PlanSlideSheet(const TSheetMetrics &metrics, int slideCount)
{
    TSheetPlan plan;
    TSheetCell place = FirstSheetCell(metrics);
    int page = 0;
    for (int n = 0; n < slideCount; ++n) {
        plan.Slides.append({page, place});
        bool newPage = false;
        place = NextSheetCell(metrics, place, newPage);
        if (newPage)
            ++page;
    }
    plan.PageCount = page + 1;
    return plan;
}

QPoint SheetFooterPosition(const TSheetMetrics &metrics)
{
    return QPoint(metrics.Margin, metrics.BottomLimit + metrics.FooterDrop);
}
