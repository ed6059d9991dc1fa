#include "imaging/Resampling.h"

#include "common/Rounding.h"

// The ratios are compared and divided in long double (the x87 80-bit
// format on x86-64), the extended precision the fitted sizes were first
// computed in; in double a few sizes whose exact value lies next to a half
// would round the other way.
QSize FitInBox(int boxWidth, int boxHeight, int pictureWidth, int pictureHeight)
{
    // A picture without pixels has no aspect ratio to keep, and a box of
    // negative size has no room.
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth < 0 || boxHeight < 0)
        return QSize(0, 0);
    const long double ratio = static_cast<long double>(pictureHeight) / pictureWidth;
    const long double box = static_cast<long double>(boxHeight) / boxWidth;
    if (ratio - box >= 0)
        return QSize(int(RoundHalfEven(boxHeight / ratio)), boxHeight);
    return QSize(boxWidth, int(RoundHalfEven(boxWidth * ratio)));
}
