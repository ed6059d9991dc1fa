#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// A caption over the bottom of the picture: white text, centred, wrapped to
// at most three lines within the picture's width, on a dark translucent band
// so that it reads on any picture. The type size follows the screen height.
struct CaptionLayout
{
    QString text;   // as drawn; empty when there is nothing to draw
    QFont font;
    QRect band;     // the dark band behind the text
    QColor backdrop = QColor(0, 0, 0, 150); // the band's colour
    QRect textRect; // the text's box inside the band
};

CaptionLayout LayoutCaption(const QString &caption, QRect picture, QSize screen);
void DrawCaption(QPainter &painter, const CaptionLayout &layout);

// Notes about a damaged slide, in the same style at the top of the screen.
CaptionLayout LayoutNotes(const QString &notes, QSize screen);

// The font of captions and messages at a screen height.
QFont CaptionFont(int screenHeight);
