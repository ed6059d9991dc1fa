#pragma once

#include <QImage>
#include <QSize>

// A request for a smaller picture than the stored one, for thumbnails and
// slide making: the divisor of each side (1, 2, 4 or 8, sides rounded up, as
// the JPEG reader scales) and, when the caller only fits the picture into a
// box afterwards, that box. Decoders that can make small pictures cheaply
// (scaled decoding, embedded thumbnails) use it; the others decode whole.
struct TPictureScale
{
    int divisor = 1;
    QSize box; // invalid: the whole scaled size is needed
};

// Each side divided by the divisor and rounded up.
QSize ScaledPictureSize(QSize full, int divisor);

// The size a smaller picture must cover to serve the request: the scaled
// size, or less when the caller fits the picture into a box that is smaller.
QSize NeededPictureSize(QSize full, const TPictureScale &scale);

// True when an embedded thumbnail of this size may stand for the picture:
// it covers the needed size and has the picture's shape (a slide's width
// comes from it), its sides in the picture's ratio within a pixel of
// rounding.
bool ThumbnailServes(QSize thumbnail, QSize full, const TPictureScale &scale);

// A 24-bit picture reduced to 1/divisor of its size (sides rounded up):
// each pixel the rounded mean of the block of pixels it stands for, the
// blocks at the right and bottom edges partial. Divisor 1 gives the picture.
QImage ReducedPicture(const QImage &picture, int divisor);
