#pragma once

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
