#pragma once

#include <QImage>

class QPainter;

// One moment of the transition from one slide's frame to the next, with
// progress running from 0 (the old frame) to 1 (the new frame): "Cut" shows
// the new frame at once, "Dissolve" fades one into the other, and the wipes
// reveal the new frame from the side they name. Both frames have the
// painter's size.
void PaintTransition(QPainter &painter, const QImage &from, const QImage &to, int transition, double progress);

QImage ComposeTransitionFrame(const QImage &from, const QImage &to, int transition, double progress);
