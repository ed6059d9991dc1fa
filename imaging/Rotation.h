#pragma once

#include <QImage>

// Lossless quarter and half turns of a 24-bit bitmap (Format_BGR888), in
// place: a W x H bitmap becomes H x W after a quarter turn.
void Rotate90Clockwise(QImage &bitmap);
void Rotate90CounterClockwise(QImage &bitmap);
void Rotate180(QImage &bitmap);

// A slide's rotation, applied by one rule everywhere: 90 turns a quarter
// clockwise, 180 a half turn, 270 a quarter counter-clockwise; any other
// angle leaves the bitmap as it is.
void ApplyRotation(QImage &bitmap, int angle);
