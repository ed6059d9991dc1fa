#include "browser/ThumbnailCell.h"

#include "imaging/Resampling.h"

#include <QPainter>

QRect ThumbnailPictureRect(int cellSize, int pictureWidth, int pictureHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    const QSize fitted = FitInBox(cellSize, cellSize, pictureWidth, pictureHeight);
    const int left = (cellSize - fitted.width()) / 2;
    return QRect(left, cellSize - fitted.height(), fitted.width(), fitted.height());
}

QImage MakeThumbnailCell(const QImage &picture, int cellSize, const QColor &background)
{
    QImage cell(cellSize, cellSize, QImage::Format_RGB888);
    cell.fill(background);
    const QRect target = ThumbnailPictureRect(cellSize, picture.width(), picture.height());
    if (target.isEmpty())
        return cell;
    // An area-averaging shrink keeps fine detail from turning into noise;
    // the one-eighth JPEG decode arrives close to the cell size already.
    const QImage scaled = picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&cell);
    painter.drawImage(target.topLeft(), scaled);
    return cell;
}
