#pragma once

#include "imaging/Resampling.h"

// The kernel functions of the seven filters. Every kernel takes and returns
// a single-precision value and is evaluated in single precision, operation
// by operation (no wider intermediate, no fused multiply-add), because the
// rounded integer weights, and so the pixels, depend on the last bit.
float FilterKernel(ResamplingFilter filter, float x);

// The support radius a filter uses when the caller asks for radius 0.
float DefaultFilterRadius(ResamplingFilter filter);

// The half-width beyond which the kernel is exactly 0: FilterKernel returns
// 0 for every |x| > FilterSupport(filter), whatever radius the caller gives.
float FilterSupport(ResamplingFilter filter);

// True for the seven known filter indices; anything else is refused.
bool IsKnownFilter(ResamplingFilter filter);

// The radius a resampling runs with: the filter's default for 0 or a radius
// that is no number (which could give no weights). Fails with "Unknown
// resampling filter %1." for an unknown filter.
float EffectiveFilterRadius(ResamplingFilter filter, float radius);
