#pragma once

// The scale at which a JPEG file is decoded; each side is divided and
// rounded up (a 1001 by 667 JPEG gives 126 by 84 at one eighth).
enum class JPEGReadScale : int { Whole = 0, Half = 1, Quarter = 2, Eighth = 3 };

// The divisor of each side for a scale (1, 2, 4 or 8).
constexpr int JPEGScaleDivisor(JPEGReadScale scale)
{
    switch (scale) {
    case JPEGReadScale::Half: return 2;
    case JPEGReadScale::Quarter: return 4;
    case JPEGReadScale::Eighth: return 8;
    default: return 1;
    }
}
