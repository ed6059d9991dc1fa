#include "slides/PictureView.h"

#include "imaging/Resampling.h"

#include <QPainter>

TPictureView::TPictureView(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

void TPictureView::SetPicture(const QImage &picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

QRect TPictureView::PictureRect() const
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return {};
    const QSize fitted = FitInBox(width(), height(), m_picture.width(), m_picture.height());
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void TPictureView::paintEvent(QPaintEvent *)
{
    const QRect target = PictureRect();
    if (target.isEmpty())
        return;
    if (m_scaled.size() != target.size())
        m_scaled = QPixmap::fromImage(
            m_picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QPainter painter(this);
    painter.drawPixmap(target.topLeft(), m_scaled);
}
