#pragma once

#include <QPoint>
#include <QSize>

class QPagedPaintDevice;

// What the sheet needs to know of the device it is printed on, in device
// pixels: the resolution across and down, the physical page size, and where
// a painter's origin lies on the paper (the corner of the area the device
// paints, unless the device paints the full page).
struct TSheetDevice
{
    int DpiX = 0;
    int DpiY = 0;
    QSize Page;
    QPoint PaintOrigin;
};

TSheetDevice SheetDeviceOf(const QPagedPaintDevice &device);
