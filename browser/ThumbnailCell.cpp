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

namespace {

QImage Shrunk(const QImage &picture, QSize size)
{
    // An area-averaging shrink keeps fine detail from turning into noise;
    // the one-eighth JPEG decode arrives close to the cell size already.
    // A picture of the size already comes back as it is.
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage ThumbnailPicture(const QImage &picture, int cellSize)
{
    const QRect target = ThumbnailPictureRect(cellSize, picture.width(), picture.height());
    if (target.isEmpty())
        return {};
    if (picture.width() <= cellSize && picture.height() <= cellSize)
        return picture;
    return Shrunk(picture, target.size());
}

QImage MakeThumbnailCell(const QImage &picture, int cellSize, const QColor &background)
{
    QImage cell(cellSize, cellSize, QImage::Format_RGB888);
    cell.fill(background);
    const QRect target = ThumbnailPictureRect(cellSize, picture.width(), picture.height());
    if (target.isEmpty())
        return cell;
    QPainter painter(&cell);
    painter.drawImage(target.topLeft(), Shrunk(picture, target.size()));
    return cell;
}
