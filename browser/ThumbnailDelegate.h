#pragma once

#include <QStyledItemDelegate>

// Draws a row of the file list in the icon view: its thumbnail cell (or an
// empty place for a row without one) with the file name under it on one
// line, shortened with an ellipsis when it is too long.
class TThumbnailDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TThumbnailDelegate(int cellSize, QObject *parent = nullptr);

    QSize CellSize() const;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_cellSize;
};
