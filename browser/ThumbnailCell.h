#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// Where a picture of the given size is drawn in a square thumbnail cell:
// fitted into the cell (FitInBox), centred left to right and standing on
// the cell's bottom edge. An empty picture gets an empty rectangle.
QRect ThumbnailPictureRect(int cellSize, int pictureWidth, int pictureHeight);

// The cell of one file: the background colour with the picture stretched
// into ThumbnailPictureRect. A null picture gives a cell of background only.
QImage MakeThumbnailCell(const QImage &picture, int cellSize, const QColor &background);

// What a cell shows of a picture, as the thumbnail cache keeps it: the
// picture shrunk to its ThumbnailPictureRect size, or as it is when it fits
// into the cell already (the cell enlarges it). MakeThumbnailCell makes the
// same cell of this as of the picture. A null image when the picture is
// empty or fits into no pixels.
QImage ThumbnailPicture(const QImage &picture, int cellSize);
