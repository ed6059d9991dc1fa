#pragma once

#include "project/RectBoxProperties.h"

// Turns a slide a quarter turn: its thumbnail turns with it, Rotation steps
// by 90 degrees (counter-clockwise from 0 gives 270), Ratio becomes
// 1 / Ratio, Height 100 and Width Round(100 x Ratio). The picture file and
// PictureWidth and PictureHeight stay as they are.
void RotateSlide(RectBoxProperties &slide, bool clockwise);

// The rotation a quarter turn gives.
int RotatedAngle(int rotation, bool clockwise);

// Round(100 x ratio) as a slide's width on the strip; a ratio that gives no
// usable width (zero, negative, not a number, too large) keeps the slide
// square rather than giving it a width no widget can have.
int SlideWidthForRatio(long double ratio);
