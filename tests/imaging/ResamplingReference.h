#pragma once

#include "imaging/Resampling.h"

#include <QImage>

// A deliberately plain transcription of the resampler, step by step as the
// algorithm is written down: contributor lists over the whole
// Floor(Center - w) .. Ceil(Center + w) range, line caches of 32-bit
// integers, the vertical pass column by column. It is slow; the tests
// compare the fast resampler with it byte for byte.
QImage ReferenceStretch(const QImage &source, int newWidth, int newHeight, ResamplingFilter filter, float radius);

// The kernel as transcribed for the reference.
float ReferenceKernel(ResamplingFilter filter, float x);

// The number of reference entries that held more contributors than the
// Trunc(2 w + 1) places reserved for them, since the program started.
long ReferenceOverfullEntries();
