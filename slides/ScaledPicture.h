#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

// A picture and its smoothed copy at the size it is drawn in. Painting
// happens far more often than resizing, so the copy is made again only when
// the size changes.
class TScaledPicture
{
public:
    void Set(const QImage &picture)
    {
        m_picture = picture;
        m_scaled = QPixmap();
    }
    const QImage &Picture() const { return m_picture; }

    const QPixmap &ScaledTo(QSize size)
    {
        if (m_scaled.size() != size)
            m_scaled = QPixmap::fromImage(m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        return m_scaled;
    }

private:
    QImage m_picture;
    QPixmap m_scaled;
};
