#pragma once

#include "imaging/Resampling.h"
#include "imaging/ResamplingPasses.h"

// How StretchBitmap does its pixel work; the pixels never depend on it.
// Tests use it to compare the instruction paths, the benchmark to measure
// one thread against several.
struct ResamplingOptions
{
    int threads = 0; // 0: as many as pay off on this machine
    PixelPath path = BestPixelPath();
};

void StretchBitmapWith(int newWidth, int newHeight, ResamplingFilter filter, float radius, QImage &bitmap,
                       const ResamplingOptions &options);
