#include "shell/WindowPlacement.h"

#include <algorithm>

QRect InitialWindowRect(const QRect &available, const QSize &designed, const QMargins &frame)
{
    if (available.isEmpty())
        return QRect(QPoint(0, 0), designed);
    const QRect inside = available.marginsRemoved(frame);
    const int width = std::min(inside.width(), std::max(designed.width(), available.width() * 4 / 5));
    const int height = std::min(inside.height(), std::max(designed.height(), available.height() * 4 / 5));
    QRect rect(0, 0, width, height);
    rect.moveCenter(inside.center());
    return rect;
}

QRect KeptOnScreen(const QRect &frame, const QRect &available)
{
    if (available.isEmpty())
        return frame;
    QRect kept(frame.topLeft(), frame.size().boundedTo(available.size()));
    kept.moveLeft(std::clamp(kept.left(), available.left(), available.right() + 1 - kept.width()));
    kept.moveTop(std::clamp(kept.top(), available.top(), available.bottom() + 1 - kept.height()));
    return kept;
}
