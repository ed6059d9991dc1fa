#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

// A picture and its smoothed copy at the size it is drawn in, in the
// device pixels of the screen it is drawn on. Painting happens far more
// often than resizing, so the copy is made again only when the size
// changes.
class TScaledPicture
{
public:
    void Set(const QImage &picture)
    {
        m_picture = picture;
        m_scaled = QPixmap();
    }
    const QImage &Picture() const { return m_picture; }

    const QPixmap &ScaledTo(QSize size, qreal devicePixelRatio = 1)
    {
        const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
        if (m_scaled.size() != pixels || m_scaled.devicePixelRatio() != devicePixelRatio) {
            m_scaled = QPixmap::fromImage(m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            m_scaled.setDevicePixelRatio(devicePixelRatio);
        }
        return m_scaled;
    }

private:
    QImage m_picture;
    QPixmap m_scaled;
};
