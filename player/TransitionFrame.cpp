#include "player/TransitionFrame.h"

#include "common/Rounding.h"

#include <QPainter>

#include <algorithm>

namespace {

enum : int { kCut = 0, kDissolve, kWipeFromLeft, kWipeFromRight, kWipeFromTop, kWipeFromBottom };

} // namespace

void PaintTransition(QPainter &painter, const QImage &from, const QImage &to, int transition, double progress)
{
    progress = std::clamp(progress, 0.0, 1.0);
    const int width = to.width();
    const int height = to.height();
    const int across = int(RoundHalfEven(progress * width));
    const int down = int(RoundHalfEven(progress * height));
    painter.save();
    painter.setOpacity(1.0);
    switch (transition) {
    case kDissolve:
        painter.drawImage(0, 0, from);
        painter.setOpacity(progress);
        painter.drawImage(0, 0, to);
        break;
    case kWipeFromLeft:
        painter.drawImage(0, 0, from);
        painter.drawImage(QRect(0, 0, across, height), to, QRect(0, 0, across, height));
        break;
    case kWipeFromRight:
        painter.drawImage(0, 0, from);
        painter.drawImage(QRect(width - across, 0, across, height), to, QRect(width - across, 0, across, height));
        break;
    case kWipeFromTop:
        painter.drawImage(0, 0, from);
        painter.drawImage(QRect(0, 0, width, down), to, QRect(0, 0, width, down));
        break;
    case kWipeFromBottom:
        painter.drawImage(0, 0, from);
        painter.drawImage(QRect(0, height - down, width, down), to, QRect(0, height - down, width, down));
        break;
    default:
        painter.drawImage(0, 0, to);
        break;
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
