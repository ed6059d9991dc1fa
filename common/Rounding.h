#pragma once

#include <cmath>
#include <cstdint>

// Floating-point values become integers by rounding to the nearest integer,
// an exact half going to the even neighbour (62.5 -> 62, 63.5 -> 64). This is
// the default rounding mode of the FPU, which std::nearbyint uses.
inline int64_t RoundHalfEven(long double value) { return static_cast<int64_t>(std::nearbyintl(value)); }
inline int64_t RoundHalfEven(double value) { return static_cast<int64_t>(std::nearbyint(value)); }
inline int64_t RoundHalfEven(float value) { return static_cast<int64_t>(std::nearbyintf(value)); }
