#include "slides/DialogRows.h"

#include <QAbstractButton>
#include <QLabel>

#include <algorithm>

void FitText(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const QSize hint = label->sizeHint();
        label->resize(std::max(label->width(), hint.width()), std::max(label->height(), hint.height()));
        return;
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        // The text with a margin on each side; the style's least button
        // width does not count, so that OK keeps its designed size.
        int needed = button->fontMetrics().horizontalAdvance(button->text()) + 2 * 10;
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        button->resize(std::max(button->width(), needed), button->height());
    }
}

int FlowRow(const QList<RowItem> &row)
{
    int right = 0;
    bool first = true;
    for (const RowItem &item : row) {
        QWidget *widget = item.widget;
        if (!first)
            widget->move(std::max(widget->x(), right + item.gap), widget->y());
        first = false;
        right = widget->x() + widget->width();
    }
    return right;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}
