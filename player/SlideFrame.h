#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

// Where a picture stands on the screen: scaled to fit (enlarged or reduced,
// never distorted) and centred; the rest of the screen is black.
QRect FitPictureRect(QSize picture, QSize screen);

// A slide as the viewer sees it, fully shown: black screen, the picture fitted
// and centred, its caption over the bottom of the picture, and notes about
// what is wrong with the slide (if anything) at the top.
QImage RenderSlideFrame(const QImage &picture, const QString &caption, const QStringList &notes, QSize screen);

// The frame of a moving slide at one moment: the part `view` of the picture
// (in fractions of it, with the picture's shape) fills the picture's fitted
// place, drawn with smooth filtering at fractions of a pixel so that the
// picture glides; the caption stands still over it. `frame` has the screen's
// size and is painted over completely.
void PaintMovingSlideFrame(QImage &frame, const QImage &picture, const QRectF &view, const QString &caption,
                           const QStringList &notes);

// A black screen with a message in its middle, for a show that cannot play.
QImage RenderMessageFrame(const QString &message, QSize screen);
void PaintMessage(QPainter &painter, const QString &message, QSize screen);
