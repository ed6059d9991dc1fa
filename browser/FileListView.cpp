#include "browser/FileListView.h"

#include "browser/FileListModel.h"
#include "browser/ThumbnailDelegate.h"

#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>

#include <algorithm>

TFileListView::TFileListView(TFileListModel *model, int thumbnailSize, QWidget *parent)
    : QStackedWidget(parent), m_model(model), m_report(new QTreeView(this)), m_icons(new QListView(this)),
      m_delegate(new TThumbnailDelegate(thumbnailSize, this))
{
    setObjectName(QStringLiteral("LV1"));

    m_report->setObjectName(QStringLiteral("LV1Report"));
    m_report->setModel(model);
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->setDragEnabled(true);
    m_report->setDragDropMode(QAbstractItemView::DragOnly);
    m_report->setDefaultDropAction(Qt::CopyAction);
    m_report->setSortingEnabled(false);
    QHeaderView *header = m_report->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(true);
    const int widths[] = {200, 80, 100, 140};
    for (int column = 0; column < 4; ++column)
        header->resizeSection(column, widths[column]);
    connect(header, &QHeaderView::sectionClicked, this, &TFileListView::ColumnClicked);

    m_icons->setObjectName(QStringLiteral("LV1Icons"));
    m_icons->setModel(model);
    m_icons->setSelectionModel(m_report->selectionModel());
    m_icons->setItemDelegate(m_delegate);
    m_icons->setViewMode(QListView::IconMode);
    m_icons->setMovement(QListView::Static);
    m_icons->setFlow(QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setUniformItemSizes(true);
    m_icons->setWordWrap(false);
    m_icons->setSpacing(2);
    m_icons->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The icon view shows column 0 only; selecting whole rows keeps the one
    // selection the same whichever view made it.
    m_icons->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_icons->setDragEnabled(true);
    m_icons->setDragDropMode(QAbstractItemView::DragOnly);
    m_icons->setDefaultDropAction(Qt::CopyAction);
    m_icons->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_report), static_cast<QAbstractItemView *>(m_icons)})
        view->viewport()->installEventFilter(this);

    addWidget(m_report);
    addWidget(m_icons);
    setCurrentWidget(m_report);
}

void TFileListView::SetViewStyle(ViewStyle style)
{
    m_style = style;
    QAbstractItemView *view = ActiveView();
    const bool hadFocus = currentWidget() && currentWidget()->hasFocus();
    setCurrentWidget(view);
    if (hadFocus)
        view->setFocus();
    if (view->currentIndex().isValid())
        view->scrollTo(view->currentIndex());
}

QAbstractItemView *TFileListView::ActiveView() const
{
    if (m_style == Icons)
        return m_icons;
    return m_report;
}

QItemSelectionModel *TFileListView::SelectionModel() const
{
    return m_report->selectionModel();
}

QList<int> TFileListView::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : SelectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TFileListView::ClearSelection()
{
    SelectionModel()->clearSelection();
}

void TFileListView::SelectOnly(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    SelectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ActiveView()->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TFileListView::ShowSortIndicator(int column, bool ascending)
{
    m_report->header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

bool TFileListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_report->viewport() || watched == m_icons->viewport()) {
        // Signalled once the view has handled the event itself, so that the
        // press has selected the item under the pointer.
        if (event->type() == QEvent::MouseButtonRelease)
            QMetaObject::invokeMethod(this, &TFileListView::Clicked, Qt::QueuedConnection);
        else if (event->type() == QEvent::MouseButtonDblClick)
            QMetaObject::invokeMethod(this, &TFileListView::DoubleClicked, Qt::QueuedConnection);
    }
    return QStackedWidget::eventFilter(watched, event);
}
