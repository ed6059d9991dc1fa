#pragma once

#include "project/RectBoxProperties.h"

#include <span>
#include <vector>

// Where a dropped file's slide is put before the strip is packed again:
// Left 10 when the strip was empty, else the drop point plus 100 for every
// file of the same drop added before it.
int DroppedSlideLeft(bool stripWasEmpty, int dropX, int filesAddedBefore);

// Packs the slides from left to right in ascending Left (slides with equal
// Left keep their order): Left 10 for the first, 10 pixels between
// neighbours, Top 10. Returns them in that display order.
std::vector<RectBoxProperties *> LayoutSlides(std::span<RectBoxProperties *const> slides);
