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
    m_picture.Set(picture);
    update();
}

QRect TPictureView::PictureRect() const
{
    if (Picture().isNull() || width() <= 0 || height() <= 0)
        return {};
    const QSize fitted = FitInBox(width(), height(), Picture().width(), Picture().height());
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void TPictureView::paintEvent(QPaintEvent *)
{
    const QRect target = PictureRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    painter.drawPixmap(target.topLeft(), m_picture.ScaledTo(target.size(), devicePixelRatioF()));
}
