#include "print/SheetDevice.h"

#include <QPagedPaintDevice>

TSheetDevice SheetDeviceOf(const QPagedPaintDevice &device)
{
    TSheetDevice result;
    result.DpiX = device.logicalDpiX();
    result.DpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    const QRect acrossFull = layout.fullRectPixels(result.DpiX);
    const QRect downFull = layout.fullRectPixels(result.DpiY);
    result.Page = QSize(acrossFull.width(), downFull.height());
    result.PaintOrigin = QPoint(layout.paintRectPixels(result.DpiX).left(), layout.paintRectPixels(result.DpiY).top());
    return result;
}
