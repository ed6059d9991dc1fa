#include "shell/WindowPlacement.h"

#include <algorithm>

QRect InitialWindowRect(const QRect &available, const QSize &designed)
{
    if (available.isEmpty())
        return QRect(QPoint(0, 0), designed);
    const int width = std::min(available.width(), std::max(designed.width(), available.width() * 4 / 5));
    const int height = std::min(available.height(), std::max(designed.height(), available.height() * 4 / 5));
    QRect rect(0, 0, width, height);
    rect.moveCenter(available.center());
    return rect;
}
