#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class QPaintDevice;
class QPainter;

// One line of a text block as it will be printed: its text and the offset of
// its top from the top of the block.
struct TTextBlockLine
{
    QString Text;
    int Top = 0;
    bool operator==(const TTextBlockLine &) const = default;
};

// Lays the text out in a block of the given size with the font as the device
// measures it: every line break starts a new line, lines wrap at word
// boundaries (a word longer than the block's width is broken inside, so a long
// file name stays readable), and lines that begin below the block are left
// out; the last line given may still reach past the block's bottom, where
// drawing cuts it off.
QList<TTextBlockLine> LayoutTextBlock(const QString &text, const QFont &font, QPaintDevice *device, QSize block);

// Draws the text into the block with the painter's font, clipped at the block.
void DrawTextBlock(QPainter &painter, const QRect &block, const QString &text);
