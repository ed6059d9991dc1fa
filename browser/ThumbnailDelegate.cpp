#include "browser/ThumbnailDelegate.h"

#include "browser/FileListModel.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kMargin = 4;

} // namespace

TThumbnailDelegate::TThumbnailDelegate(int cellSize, QObject *parent)
    : QStyledItemDelegate(parent), m_cellSize(cellSize)
{
}

QSize TThumbnailDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int textHeight = option.fontMetrics.height();
    return {m_cellSize + 2 * kMargin + 16, m_cellSize + 3 * kMargin + textHeight + 2};
}

void TThumbnailDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QRect rect = option.rect;
    const QRect cell(rect.left() + (rect.width() - m_cellSize) / 2, rect.top() + kMargin, m_cellSize, m_cellSize);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;

    painter->save();
    const QImage thumbnail = index.data(TFileListModel::ThumbnailRole).value<QImage>();
    if (!thumbnail.isNull())
        painter->drawImage(cell, thumbnail);
    if (selected) {
        QColor tint = option.palette.color(group, QPalette::Highlight);
        painter->setPen(QPen(tint, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(-1, -1, 1, 1));
    }

    const int textHeight = option.fontMetrics.height();
    const QRect textRect(rect.left() + 1, cell.bottom() + 1 + kMargin, rect.width() - 2, textHeight + 2);
    const QString name = option.fontMetrics.elidedText(opt.text, Qt::ElideMiddle, textRect.width() - 6);
    if (selected) {
        const int width = std::min(textRect.width(), option.fontMetrics.horizontalAdvance(name) + 8);
        const QRect band(textRect.left() + (textRect.width() - width) / 2, textRect.top(), width, textRect.height());
        painter->fillRect(band, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(option.palette.color(group, QPalette::HighlightedText));
    } else {
        painter->setPen(option.palette.color(group, QPalette::Text));
    }
    painter->setFont(option.font);
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, name);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = rect.adjusted(1, 1, -1, -1);
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->restore();
}

QSize TThumbnailDelegate::CellSize() const
{
    return {m_cellSize, m_cellSize};
}
