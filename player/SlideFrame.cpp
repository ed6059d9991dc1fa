#include "player/SlideFrame.h"

#include "imaging/Resampling.h"
#include "player/CaptionLayout.h"

#include <QPainter>

QRect FitPictureRect(QSize picture, QSize screen)
{
    if (picture.isEmpty() || screen.isEmpty())
        return {};
    const QSize fitted = FitInBox(screen.width(), screen.height(), picture.width(), picture.height());
    const int width = std::max(1, fitted.width());
    const int height = std::max(1, fitted.height());
    return QRect((screen.width() - width) / 2, (screen.height() - height) / 2, width, height);
}

namespace {

void DrawTexts(QPainter &painter, QRect place, const QString &caption, const QStringList &notes, QSize screen)
{
    if (place.isEmpty())
        place = QRect(QPoint(0, 0), screen);
    DrawCaption(painter, LayoutCaption(caption, place, screen));
    if (!notes.isEmpty()) {
        CaptionLayout layout = LayoutNotes(notes.join(QLatin1Char(' ')), screen);
        DrawCaption(painter, layout);
    }
}

} // namespace

void PaintMovingSlideFrame(QImage &frame, const QImage &picture, const QRectF &view, const QString &caption,
                           const QStringList &notes)
{
    const QSize screen = frame.size();
    frame.fill(Qt::black);
    QPainter painter(&frame);
    const QRect place = FitPictureRect(picture.size(), screen);
    if (!place.isEmpty() && view.width() > 0 && view.height() > 0) {
        painter.save();
        painter.setClipRect(place);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // Picture pixels to screen pixels: the view's corner to the place's.
        const double scaleX = place.width() / (view.width() * picture.width());
        const double scaleY = place.height() / (view.height() * picture.height());
        painter.translate(place.x() - view.x() * picture.width() * scaleX,
                          place.y() - view.y() * picture.height() * scaleY);
        painter.scale(scaleX, scaleY);
        painter.drawImage(QPointF(0, 0), picture);
        painter.restore();
    }
    DrawTexts(painter, place, caption, notes, screen);
}

QImage RenderSlideFrame(const QImage &picture, const QString &caption, const QStringList &notes, QSize screen)
{
    QImage frame(screen, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    QRect place = FitPictureRect(picture.size(), screen);
    if (!place.isEmpty()) {
        if (place.size() == picture.size())
            painter.drawImage(place.topLeft(), picture);
        else
            painter.drawImage(place.topLeft(),
                              picture.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    DrawTexts(painter, place, caption, notes, screen);
    return frame;
}

void PaintMessage(QPainter &painter, const QString &message, QSize screen)
{
    painter.fillRect(QRect(QPoint(0, 0), screen), Qt::black);
    CaptionLayout layout = LayoutNotes(message, screen);
    const int shift = (screen.height() - layout.band.height()) / 2 - layout.band.top();
    layout.band.translate(0, shift);
    layout.textRect.translate(0, shift);
    DrawCaption(painter, layout);
}

QImage RenderMessageFrame(const QString &message, QSize screen)
{
    QImage frame(screen, QImage::Format_RGB32);
    QPainter painter(&frame);
    PaintMessage(painter, message, screen);
    return frame;
}
