#include "shell/DialogRows.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>

void FitText(QWidget *widget)
{
    // A control with a frame needs the text's height and a few pixels
    // around it; the style's preferred heights would grow the designed
    // controls even where the text fits them.
    const int textHeight = widget->fontMetrics().height();
    auto grow = [widget](int width, int height) {
        widget->resize(std::max(widget->width(), width), std::max(widget->height(), height));
    };
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const QSize hint = label->sizeHint();
        grow(hint.width(), hint.height());
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        // The text with the style's margin on each side; the style's least
        // button width does not count, so that OK keeps its designed size.
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        int needed = button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin;
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        grow(needed, textHeight + 8);
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        // As wide as its longest entry with the arrow beside it.
        grow(list->sizeHint().width(), textHeight + 8);
    } else if (qobject_cast<QLineEdit *>(widget)) {
        grow(0, textHeight + 6);
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

int FlowColumn(const QList<ColumnRow> &column)
{
    int bottom = 0;
    bool first = true;
    for (const ColumnRow &row : column) {
        if (row.widgets.isEmpty())
            continue;
        int top = row.widgets.front()->y();
        for (const QWidget *widget : row.widgets)
            top = std::min(top, widget->y());
        const int shift = first ? 0 : std::max(0, bottom + row.gap - top);
        first = false;
        for (QWidget *widget : row.widgets) {
            widget->move(widget->x(), widget->y() + shift);
            bottom = std::max(bottom, widget->y() + widget->height());
        }
    }
    return bottom;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}
