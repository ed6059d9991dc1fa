#include "imaging/ResamplingFilters.h"

#include "common/VistranoError.h"

#include <cmath>
#include <numbers>

// Each kernel is written the way its formula reads, one single-precision
// operation at a time and left to right: a^2 is a * a, a^3 is (a * a) * a,
// constants such as 2/3 are the single-precision quotients. The build
// compiles this file with -ffp-contract=off so that no multiply and add are
// fused into one rounding.

namespace {

float BoxKernel(float x)
{
    // Half-open, so that a target pixel exactly between two source pixels
    // takes the left one only: f(0.5) = 1, f(-0.5) = 0.
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float TriangleKernel(float x)
{
    const float a = std::fabs(x);
    return a < 1.0f ? 1.0f - a : 0.0f;
}

float HermiteKernel(float x)
{
    const float a = std::fabs(x);
    if (a < 1.0f)
        return (2.0f * a - 3.0f) * (a * a) + 1.0f;
    return 0.0f;
}

float BellKernel(float x)
{
    const float a = std::fabs(x);
    if (a < 0.5f)
        return 0.75f - a * a;
    if (a < 1.5f) {
        const float t = a - 1.5f;
        return 0.5f * (t * t);
    }
    return 0.0f;
}

float SplineKernel(float x)
{
    const float a = std::fabs(x);
    if (a < 1.0f) {
        const float a2 = a * a;
        return 0.5f * (a2 * a) - a2 + 2.0f / 3.0f;
    }
    if (a < 2.0f) {
        const float t = 2.0f - a;
        return (t * t) * t / 6.0f;
    }
    return 0.0f;
}

// sin(pi x) / (pi x). The product pi x is rounded to single precision first
// and that one value feeds both the sine and the division. The sine is taken
// in double precision and rounded to single, which gives the correctly
// rounded single-precision sine independently of the C library's sinf; the
// division is a single-precision division.
float Sinc(float x)
{
    if (x == 0.0f)
        return 1.0f;
    const float px = static_cast<float>(std::numbers::pi * static_cast<double>(x));
    const float s = static_cast<float>(std::sin(static_cast<double>(px)));
    return s / px;
}

float Lanczos3Kernel(float x)
{
    const float a = std::fabs(x);
    if (a < 3.0f)
        return Sinc(a) * Sinc(a / 3.0f);
    return 0.0f;
}

// Mitchell-Netravali with B = C = 1/3.
float MitchellKernel(float x)
{
    const float a = std::fabs(x);
    const float a2 = a * a;
    const float a3 = a2 * a;
    if (a < 1.0f)
        return (7.0f * a3 - 12.0f * a2 + 16.0f / 3.0f) / 6.0f;
    if (a < 2.0f)
        return (-7.0f / 3.0f * a3 + 12.0f * a2 - 20.0f * a + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

} // namespace

bool IsKnownFilter(ResamplingFilter filter)
{
    return static_cast<uint8_t>(filter) <= static_cast<uint8_t>(ResamplingFilter::Mitchell);
}

float EffectiveFilterRadius(ResamplingFilter filter, float radius)
{
    if (!IsKnownFilter(filter))
        throw VistranoError(QStringLiteral("Unknown resampling filter %1.").arg(int(filter)));
    if (radius == 0.0f || std::isnan(radius))
        return DefaultFilterRadius(filter);
    return radius;
}

float FilterKernel(ResamplingFilter filter, float x)
{
    switch (filter) {
    case ResamplingFilter::Box: return BoxKernel(x);
    case ResamplingFilter::Triangle: return TriangleKernel(x);
    case ResamplingFilter::Hermite: return HermiteKernel(x);
    case ResamplingFilter::Bell: return BellKernel(x);
    case ResamplingFilter::Spline: return SplineKernel(x);
    case ResamplingFilter::Lanczos3: return Lanczos3Kernel(x);
    case ResamplingFilter::Mitchell: return MitchellKernel(x);
    }
    return 0.0f;
}

float DefaultFilterRadius(ResamplingFilter filter)
{
    switch (filter) {
    case ResamplingFilter::Box: return 0.5f;
    case ResamplingFilter::Triangle:
    case ResamplingFilter::Hermite: return 1.0f;
    case ResamplingFilter::Bell: return 1.5f;
    case ResamplingFilter::Spline:
    case ResamplingFilter::Mitchell: return 2.0f;
    case ResamplingFilter::Lanczos3: return 3.0f;
    }
    return 0.0f;
}

float FilterSupport(ResamplingFilter filter)
{
    // The kernels' own supports happen to be their default radii.
    return DefaultFilterRadius(filter);
}
