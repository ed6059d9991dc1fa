#include "project/SlideRotation.h"

#include "common/Rounding.h"
#include "imaging/Rotation.h"
#include "project/SlideMaking.h"

#include <cmath>

namespace {

// A slide wider than this many heights is not one anybody made.
constexpr long double kWidestRatio = 10000;

} // namespace

int RotatedAngle(int rotation, bool clockwise)
{
    if (clockwise)
        return int((int64_t(rotation) + 90) % 360);
    return rotation == 0 ? 270 : rotation - 90;
}

int SlideWidthForRatio(long double ratio)
{
    if (!std::isfinite(ratio) || ratio <= 0 || ratio > kWidestRatio)
        return kSlideHeight;
    return int(RoundHalfEven(ratio * kSlideHeight));
}

void RotateSlide(RectBoxProperties &slide, bool clockwise)
{
    QImage picture = slide.Picture();
    if (!picture.isNull()) {
        if (clockwise)
            Rotate90Clockwise(picture);
        else
            Rotate90CounterClockwise(picture);
        slide.SetPicture(picture);
    }
    slide.SetRotation(RotatedAngle(slide.Rotation(), clockwise));
    const long double ratio = 1 / slide.Ratio();
    slide.SetRatio(ratio);
    slide.SetHeight(kSlideHeight);
    slide.SetWidth(SlideWidthForRatio(ratio));
}
