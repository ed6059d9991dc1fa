#include "print/SheetTextBlock.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

QList<TTextBlockLine> LayoutTextBlock(const QString &text, const QFont &font, QPaintDevice *device, QSize block)
{
    QList<TTextBlockLine> lines;
    if (block.width() <= 0 || block.height() <= 0)
        return lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(Qt::AlignLeft);
    double y = 0;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString &paragraph : paragraphs) {
        QTextLayout layout(paragraph, font, device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (;;) {
            if (y >= block.height())
                break;
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(block.width());
            // The blank a line was wrapped at stays with the line it ends.
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (!part.isEmpty() && part.back().isSpace())
                part.chop(1);
            lines.append({part, int(std::floor(y))});
            y += line.height();
        }
        layout.endLayout();
        if (y >= block.height())
            break;
    }
    return lines;
}

void DrawTextBlock(QPainter &painter, const QRect &block, const QString &text)
{
    const QFont font = painter.font();
    const QList<TTextBlockLine> lines = LayoutTextBlock(text, font, painter.device(), block.size());
    const double ascent = QFontMetricsF(font, painter.device()).ascent();
    painter.save();
    painter.setClipRect(block, Qt::IntersectClip);
    for (const TTextBlockLine &line : lines)
        painter.drawText(QPointF(block.left(), block.top() + line.Top + ascent), line.Text);
    painter.restore();
}
