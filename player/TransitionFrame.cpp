#include "player/TransitionFrame.h"

#include "common/Rounding.h"

#include <QPainter>

#include <algorithm>

namespace {

enum : int { kCut = 0, kDissolve, kWipeFromLeft, kWipeFromRight, kWipeFromTop, kWipeFromBottom };

// The part of the screen a wipe has given to the new frame so far.
QRect RevealedArea(int transition, double progress, QSize size)
{
    const int across = int(RoundHalfEven(progress * size.width()));
    const int down = int(RoundHalfEven(progress * size.height()));
    switch (transition) {
    case kWipeFromLeft:
        return QRect(0, 0, across, size.height());
    case kWipeFromRight:
        return QRect(size.width() - across, 0, across, size.height());
    case kWipeFromTop:
        return QRect(0, 0, size.width(), down);
    case kWipeFromBottom:
        return QRect(0, size.height() - down, size.width(), down);
    default:
        return QRect(QPoint(0, 0), size);
    }
}

} // namespace

void PaintTransition(QPainter &painter, const QImage &from, const QImage &to, int transition, double progress)
{
    progress = std::clamp(progress, 0.0, 1.0);
    painter.save();
    painter.setOpacity(1.0);
    if (transition == kDissolve) {
        painter.drawImage(0, 0, from);
        painter.setOpacity(progress);
        painter.drawImage(0, 0, to);
    } else if (transition >= kWipeFromLeft && transition <= kWipeFromBottom) {
        const QRect revealed = RevealedArea(transition, progress, to.size());
        painter.drawImage(0, 0, from);
        painter.drawImage(revealed, to, revealed);
    } else {
        // A cut, and any code that names no transition: the new frame at once.
        painter.drawImage(0, 0, to);
    }
    painter.restore();
}

QImage ComposeTransitionFrame(const QImage &from, const QImage &to, int transition, double progress)
{
    QImage frame(to.size(), QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    PaintTransition(painter, from, to, transition, progress);
    return frame;
}
