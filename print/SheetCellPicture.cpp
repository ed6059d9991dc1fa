#include "print/SheetCellPicture.h"

#include "imaging/Resampling.h"

QRect CellPictureRect(const QRect &cell, QSize picture)
{
    const QSize fitted = FitInBox(cell.width(), cell.height(), picture.width(), picture.height());
    if (fitted.isEmpty())
        return {};
    return QRect(cell.left(), cell.top() + cell.height() - fitted.height(), fitted.width(), fitted.height());
}

QImage ScaleCellPicture(const QImage &picture, QSize size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
