#include "app/ToolbarGlyphs.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <functional>

namespace {

// Every glyph is drawn on a 24 by 24 grid and scaled to the pixmap.
using Drawing = std::function<void(QPainter &)>;

// Draws the glyph at whatever size is asked for, in device pixels: on a
// screen of two device pixels to the point a 20-point button gets a glyph
// drawn at 40 pixels, not one scaled up from 20.
class TGlyphEngine : public QIconEngine
{
public:
    explicit TGlyphEngine(Drawing draw) : m_draw(std::move(draw)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        // A disabled button shows its glyph faded.
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        const int side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new TGlyphEngine(m_draw); }

private:
    Drawing m_draw;
};

QIcon MakeIcon(const Drawing &draw)
{
    return QIcon(new TGlyphEngine(draw));
}

const QColor kInk(52, 60, 72);
const QColor kSky(86, 150, 214);
const QColor kHill(72, 160, 92);
const QColor kSun(246, 196, 64);
const QColor kArrow(38, 110, 170);

void DrawLandscape(QPainter &p, const QRectF &frame)
{
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kSky);
    p.drawRect(frame);
    p.save();
    p.setClipRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
    QPainterPath hill;
    hill.moveTo(frame.left(), frame.bottom());
    hill.lineTo(frame.left(), frame.top() + frame.height() * 0.7);
    hill.quadTo(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.3,
                frame.left() + frame.width() * 0.7, frame.top() + frame.height() * 0.65);
    hill.quadTo(frame.right() - frame.width() * 0.1, frame.top() + frame.height() * 0.55, frame.right(),
                frame.top() + frame.height() * 0.6);
    hill.lineTo(frame.right(), frame.bottom());
    hill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kHill);
    p.drawPath(hill);
    p.setBrush(kSun);
    const double r = frame.width() * 0.13;
    p.drawEllipse(QPointF(frame.right() - frame.width() * 0.27, frame.top() + frame.height() * 0.3), r, r);
    p.restore();
}

void DrawDetails(QPainter &p)
{
    for (int row = 0; row < 4; ++row) {
        const double y = 5 + row * 4.5;
        p.setPen(Qt::NoPen);
        p.setBrush(kSky);
        p.drawRect(QRectF(3, y - 1.5, 3, 3));
        p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8.5, y), QPointF(21, y));
    }
}

void DrawThumbnails(QPainter &p)
{
    DrawLandscape(p, QRectF(2.5, 3.5, 8.5, 7.5));
    DrawLandscape(p, QRectF(13, 3.5, 8.5, 7.5));
    DrawLandscape(p, QRectF(2.5, 13.5, 8.5, 7.5));
    DrawLandscape(p, QRectF(13, 13.5, 8.5, 7.5));
}

void DrawRotation(QPainter &p, bool clockwise)
{
    if (!clockwise) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    // A slide under a three-quarter arc with the arrow head at its end.
    DrawLandscape(p, QRectF(7.5, 10.5, 9, 7));
    QPainterPath arc;
    arc.arcMoveTo(QRectF(3, 3, 18, 18), 200);
    arc.arcTo(QRectF(3, 3, 18, 18), 200, -230);
    p.setPen(QPen(kArrow, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    const QPointF tip = arc.currentPosition();
    QPainterPath head;
    head.moveTo(tip + QPointF(-3.8, -2.2));
    head.lineTo(tip + QPointF(1.6, 2.4));
    head.lineTo(tip + QPointF(2.4, -4.2));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kArrow);
    p.drawPath(head);
}

} // namespace

QIcon ToolbarIcon(ToolbarGlyph glyph)
{
    switch (glyph) {
    case ToolbarGlyph::Details:
        return MakeIcon(DrawDetails);
    case ToolbarGlyph::Thumbnails:
        return MakeIcon(DrawThumbnails);
    case ToolbarGlyph::RotateLeft:
        return MakeIcon([](QPainter &p) { DrawRotation(p, false); });
    case ToolbarGlyph::RotateRight:
        return MakeIcon([](QPainter &p) { DrawRotation(p, true); });
    }
    return {};
}
