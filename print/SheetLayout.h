#pragma once

#include <QList>
#include <QRect>

// The slide sheet's measures, in printer device pixels, worked out once per
// job from the printer's resolution and its physical page size.
struct TSheetMetrics
{
    int DpiX = 0;
    int DpiY = 0;
    int Margin = 0;      // M: half an inch across
    int CellSize = 0;    // C: two inches across, used in both directions
    int Gap = 0;         // G: a quarter inch, between cells and between rows
    int TextOffset = 0;  // T: a tenth of an inch down, from a cell to its text
    int TextHeight = 0;  // one inch down
    int RightLimit = 0;  // page width - M
    int BottomLimit = 0; // page height - M
    int FooterDrop = 0;  // F: how far below the bottom limit the footer starts
};

// Fails with a VistranoError when the resolution or the page size is not
// positive.
TSheetMetrics SheetMetrics(int dpiX, int dpiY, int pageWidth, int pageHeight);

// A rectangle as the printer takes it: right and bottom lie just outside.
struct TSheetRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TSheetRect &) const = default;
};

// One slide's place on a page: its picture cell and the text block under it.
struct TSheetCell
{
    TSheetRect Cell;
    TSheetRect Text;
};

// The cell whose top-left corner is at (left, top), with its text block.
TSheetCell SheetCellAt(const TSheetMetrics &metrics, int left, int top);

// The first place on every page: at the margin, across and down.
TSheetCell FirstSheetCell(const TSheetMetrics &metrics);

// The place after `cell`: the next cell of the row, else the first of the
// next row, else the first of a new page (newPage is then true). The step is
// taken after every slide, the last one included, so a sheet whose last
// slide fills its page ends with a page that carries only the footer.
TSheetCell NextSheetCell(const TSheetMetrics &metrics, const TSheetCell &cell, bool &newPage);

// Where each of `slideCount` slides lands, and how many pages the job gives.
struct TSheetPlacement
{
    int Page = 0; // from 0
    TSheetCell Place;
};
struct TSheetPlan
{
    QList<TSheetPlacement> Slides;
    int PageCount = 1;
};
TSheetPlan PlanSlideSheet(const TSheetMetrics &metrics, int slideCount);

// Where the footer's text starts on every page.
QPoint SheetFooterPosition(const TSheetMetrics &metrics);
