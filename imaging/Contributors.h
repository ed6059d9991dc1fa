#pragma once

#include "imaging/Resampling.h"

#include <cstdint>
#include <vector>

// One term of a target pixel's weighted sum: the kernel value scaled by 256
// and rounded, and the source position (within one line) it weighs.
struct Contributor
{
    int32_t weight;
    int32_t index;
};

// The contributors of every target position along one axis, in ascending
// order of the source position that produced them; zero weights are left
// out, so an entry can be empty.
using ContributorList = std::vector<std::vector<Contributor>>;

// The scale from source to target along one axis, in single precision:
// target / source when either length is 1, else (target - 1) / (source - 1),
// which puts the first and last pixels of both on each other.
float ResamplingScale(int targetLength, int sourceLength);

// Reflects a position outside 0..length-1 into the line once: -j before the
// start, 2 length - 1 - j past the end. A position still outside after that
// one reflection (the support is wider than the line) takes the nearest end
// pixel of the line.
int32_t MirrorIndex(int64_t position, int32_t length);

// The contributors of the targetLength positions of one axis for a source
// line of sourceLength pixels. Both lengths must be at least 1 and the
// radius must be a number (a radius of 0 is replaced by the caller).
ContributorList BuildContributors(int targetLength, int sourceLength, ResamplingFilter filter, float radius);
