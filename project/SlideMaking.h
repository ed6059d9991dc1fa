#pragma once

#include "project/RectBoxProperties.h"

#include <QString>


// The longer side of a slide's thumbnail, and the height of a slide on the
// strip.
constexpr int kThumbnailBox = 200;
constexpr int kSlideHeight = 100;

// The project's defaults that a new slide takes: duration in seconds and
// transition code.
struct SlideDefaults
{
    int duration = 4;
    int transition = 0;
    SlideMotion motion = SlideMotion::None;
};

// Makes the box a slide of the picture file as dropping the file on the
// strip does: the picture is loaded (JPEG files at one eighth), fitted into
// 200 by 200 and resampled with the box filter into the thumbnail; the box
// gets the thumbnail, its size as PictureWidth and PictureHeight, Ratio =
// PictureWidth / PictureHeight in extended precision, Width = Ratio x 100
// rounded, Height 100, DrawBoxes off, BoxType btImage, the file name and
// the defaults. Left and Top are the caller's (the drop point). A photo
// with an orientation tag is then turned as the rotate buttons turn a slide
// (RotateSlide: clockwise once for 90, twice for 180, counter-clockwise once
// for 270), so it stands upright with Rotation the turn of its stored pixels.
// A picture that loads empty fails with a message naming the file; the
// loader's own errors propagate. The box is unchanged when it fails.
void MakeSlideFromPicture(RectBoxProperties &box, const QString &path, const SlideDefaults &defaults);
