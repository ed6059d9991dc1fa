#include "player/CaptionLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxLines = 3;
// A caption line narrower than this many average characters is hard to read.
constexpr int kReadableCharacters = 16;

int Padding(const QFontMetrics &metrics)
{
    return std::max(4, metrics.height() / 3);
}

// Breaks the text into lines that fit the width, keeping at most kMaxLines;
// the last line kept is elided when text remains.
QString WrapText(const QString &text, const QFont &font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == kMaxLines - 1) {
            const QString rest = text.mid(line.textStart()).simplified();
            lines << QFontMetrics(font).elidedText(rest, Qt::ElideRight, width);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

// The band is centred on the area, at its bottom or its top, and kept on the
// screen.
CaptionLayout LayoutBlock(const QString &text, QRect area, int availableWidth, QSize screen, bool anchorBottom)
{
    CaptionLayout layout;
    const QString simplified = QString(text).replace(QLatin1Char('\t'), QLatin1Char(' ')).trimmed();
    if (simplified.isEmpty() || screen.isEmpty())
        return layout;
    layout.font = CaptionFont(screen.height());
    const QFontMetrics metrics(layout.font);
    const int padding = Padding(metrics);
    // The band adds twice the padding on either side of the text.
    const int maxTextWidth = std::max(metrics.averageCharWidth() * 4, availableWidth - 4 * padding);
    layout.text = WrapText(simplified, layout.font, maxTextWidth);
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, maxTextWidth, 100000), Qt::AlignHCenter | Qt::TextWordWrap, layout.text);
    const int textWidth = std::min(bounds.width(), maxTextWidth);
    const int bandWidth = std::min(screen.width(), textWidth + 4 * padding);
    const int bandHeight = std::min(screen.height(), bounds.height() + 2 * padding);
    int left = std::clamp(area.left() + (area.width() - bandWidth) / 2, 0, std::max(0, screen.width() - bandWidth));
    int y = anchorBottom ? area.bottom() + 1 - bandHeight - padding : area.top() + padding;
    y = std::clamp(y, 0, std::max(0, screen.height() - bandHeight));
    layout.band = QRect(left, y, bandWidth, bandHeight);
    layout.textRect = layout.band.adjusted(2 * padding, padding, -2 * padding, -padding);
    return layout;
}

} // namespace

QFont CaptionFont(int screenHeight)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(12, screenHeight / 24));
    font.setWeight(QFont::DemiBold);
    return font;
}

CaptionLayout LayoutCaption(const QString &caption, QRect picture, QSize screen)
{
    // The caption wraps within the picture's width, so that its band lies on
    // the picture: over the black bars beside a portrait a dark band does not
    // show, and the text would seem to run out of it. A picture too narrow
    // (or too low) for a readable caption gets a band that reaches beyond it,
    // in a tone that shows on black.
    const QFontMetrics metrics(CaptionFont(screen.height()));
    const int readable = metrics.averageCharWidth() * kReadableCharacters + 4 * Padding(metrics);
    const int width = std::min(screen.width(), std::max(picture.width(), readable));
    CaptionLayout layout = LayoutBlock(caption, picture, width, screen, true);
    if (!picture.contains(layout.band))
        layout.backdrop = QColor(48, 48, 48, 200);
    return layout;
}

CaptionLayout LayoutNotes(const QString &notes, QSize screen)
{
    return LayoutBlock(notes, QRect(QPoint(0, 0), screen), screen.width(), screen, false);
}

void DrawCaption(QPainter &painter, const CaptionLayout &layout)
{
    if (layout.text.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(layout.backdrop);
    const qreal radius = layout.band.height() > 0 ? std::min(12.0, layout.band.height() / 4.0) : 0;
    painter.drawRoundedRect(layout.band, radius, radius);
    painter.setFont(layout.font);
    painter.setPen(QColor(0, 0, 0, 200));
    painter.drawText(layout.textRect.translated(1, 1), Qt::AlignCenter, layout.text);
    painter.setPen(Qt::white);
    painter.drawText(layout.textRect, Qt::AlignCenter, layout.text);
    painter.restore();
}
