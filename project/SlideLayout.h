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

// The strip after a project was opened into it: the slides that were there
// first, in their display order, then the opened ones in the display order
// they were saved with (their stored Left; equal ones keep record order),
// all packed as LayoutSlides packs them, so that no opened slide stands on
// another. Returns them in that display order.
std::vector<RectBoxProperties *> LayoutOpenedSlides(std::span<RectBoxProperties *const> existing,
                                                    std::span<RectBoxProperties *const> opened);
