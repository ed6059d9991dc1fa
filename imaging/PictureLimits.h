#pragma once

#include <QImage>

#include <cstdint>

// The largest picture the program holds. A 24-bit bitmap of the full limit
// takes 768 MiB, and the build's resampler holds the source, an intermediate
// and the target at once, so the limit is about what a desktop machine can
// carry; sides up to 65535 cover every format's own field widths.
constexpr int64_t kMaxPictureSide = 65535;
constexpr int64_t kMaxPicturePixels = int64_t(1) << 28;

// Refuses a picture size before anything is allocated for it: a side of 0 or
// less, a side above kMaxPictureSide or more pixels than kMaxPicturePixels
// fails with EInvalidGraphic and a message that gives the size.
void CheckPictureSize(int64_t width, int64_t height);

// True when width x height is within the limits (both sides at least 1).
bool PictureSizeAllowed(int64_t width, int64_t height);

// A picture bitmap of the given size and format, after the size has been
// checked with CheckPictureSize; fails with EInvalidGraphic when memory for
// it runs out.
QImage NewPictureImage(int64_t width, int64_t height, QImage::Format format);

// Fails with EInvalidGraphic "Not enough memory for a picture of %1 by %2
// pixels." when the image is null: a QImage that could not get its memory.
void CheckPictureAllocated(const QImage &image, int64_t width, int64_t height);
