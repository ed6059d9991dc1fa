#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

enum class ResamplingFilter : uint8_t { Box = 0, Triangle, Hermite, Bell, Spline, Lanczos3, Mitchell };

// The largest size with the picture's aspect ratio that fits the box: one
// side equals the box, the other is rounded to the nearest integer, ties to
// even. The picture's width and height must not be 0.
QSize FitInBox(int boxWidth, int boxHeight, int pictureWidth, int pictureHeight);

// Filtered two-pass resampling of the bitmap to newWidth x newHeight, in
// place; the result is 24-bit (Format_BGR888). A radius of 0 selects the
// filter's default radius.
void StretchBitmap(int newWidth, int newHeight, ResamplingFilter filter, float radius, QImage &bitmap);
