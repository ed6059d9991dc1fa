#pragma once

#include <QImage>
#include <QRect>

// Where a picture goes in its cell: at the size FitInBox gives for the cell,
// in the cell's bottom-left corner; the rest of the cell stays white (the
// paper). Empty for a picture without pixels, which leaves the whole cell
// white.
QRect CellPictureRect(const QRect &cell, QSize picture);

// The picture scaled without filtering (each pixel takes the nearest picture
// pixel) to the size, ready to go to the printer one to one. A null image
// when memory for it cannot be had.
QImage ScaleCellPicture(const QImage &picture, QSize size);
