#include "project/SlideLayout.h"

#include <algorithm>

int DroppedSlideLeft(bool stripWasEmpty, int dropX, int filesAddedBefore)
{
    return stripWasEmpty ? 10 : dropX + 100 * filesAddedBefore;
}

namespace {

std::vector<RectBoxProperties *> InDisplayOrder(std::span<RectBoxProperties *const> slides)
{
    std::vector<RectBoxProperties *> order(slides.begin(), slides.end());
    std::stable_sort(order.begin(), order.end(),
                     [](const RectBoxProperties *a, const RectBoxProperties *b) { return a->Left() < b->Left(); });
    return order;
}

void Pack(const std::vector<RectBoxProperties *> &order)
{
    int64_t x = 10;
    for (RectBoxProperties *box : order) {
        box->SetLeft(int32_t(x));
        box->SetTop(10);
        x += int64_t(box->Width()) + 10;
    }
}

} // namespace

std::vector<RectBoxProperties *> LayoutSlides(std::span<RectBoxProperties *const> slides)
{
    std::vector<RectBoxProperties *> order = InDisplayOrder(slides);
    Pack(order);
    return order;
}

std::vector<RectBoxProperties *> LayoutOpenedSlides(std::span<RectBoxProperties *const> existing,
                                                    std::span<RectBoxProperties *const> opened)
{
    std::vector<RectBoxProperties *> order = InDisplayOrder(existing);
    const std::vector<RectBoxProperties *> added = InDisplayOrder(opened);
    order.insert(order.end(), added.begin(), added.end());
    Pack(order);
    return order;
}
