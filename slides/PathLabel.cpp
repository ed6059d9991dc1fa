#include "slides/PathLabel.h"

#include <QPainter>

TPathLabel::TPathLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void TPathLabel::SetPath(const QString &path)
{
    setText(path);
    setToolTip(path);
}

QString TPathLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void TPathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()), ShownText());
}
