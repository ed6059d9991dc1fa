#include "about/AboutLayout.h"

#include <algorithm>

QRect FitLabelToText(const QRect &designed, int textWidth, int boxWidth)
{
    if (textWidth <= designed.width())
        return designed;
    const int width = std::min(textWidth, boxWidth);
    const int centreTwice = 2 * designed.left() + designed.width();
    const int left = std::clamp((centreTwice - width) / 2, 0, boxWidth - width);
    return QRect(left, designed.top(), width, designed.height());
}
