#include "project/SlideLayout.h"

#include <algorithm>

int DroppedSlideLeft(bool stripWasEmpty, int dropX, int filesAddedBefore)
{
    return stripWasEmpty ? 10 : dropX + 100 * filesAddedBefore;
}

std::vector<RectBoxProperties *> LayoutSlides(std::span<RectBoxProperties *const> slides)
{
    std::vector<RectBoxProperties *> order(slides.begin(), slides.end());
    std::stable_sort(order.begin(), order.end(),
                     [](const RectBoxProperties *a, const RectBoxProperties *b) { return a->Left() < b->Left(); });
    int64_t x = 10;
    for (RectBoxProperties *box : order) {
        box->SetLeft(int32_t(x));
        box->SetTop(10);
        x += int64_t(box->Width()) + 10;
    }
    return order;
}
