#include "browser/FolderTree.h"

#include "browser/FolderPath.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>

TFolderTree::TFolderTree(QWidget *parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this)), m_scrollTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("STV1"));
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));
    // The file system model adds, removes and re-sorts rows whenever a
    // watched folder changes (other programs make and delete folders all
    // the time). The selection model may move the current row while that
    // happens; such a move is no choice of the user. The "about to" signals
    // are connected before the view's own, the "done" signals after them.
    auto begin = [this] { ++m_modelChanging; };
    auto end = [this] { m_modelChanging = std::max(0, m_modelChanging - 1); };
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, begin);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, begin);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeMoved, this, begin);
    connect(m_model, &QAbstractItemModel::layoutAboutToBeChanged, this, begin);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, begin);
    setModel(m_model);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, end);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, end);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, end);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, end);
    connect(m_model, &QAbstractItemModel::modelReset, this, end);
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setAnimated(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &TFolderTree::CurrentChanged);
    // Children of a folder arrive from a background reader and are sorted
    // later still; every such change may move the chosen folder's row. The
    // scroll waits for the burst of changes to end.
    m_scrollTimer->setSingleShot(true);
    m_scrollTimer->setInterval(20);
    connect(m_scrollTimer, &QTimer::timeout, this, [this] {
        if (m_keepChosenInView && currentIndex().isValid())
            scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &TFolderTree::UserTookOver);
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &TFolderTree::KeepChosenInView);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &TFolderTree::KeepChosenInView);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &TFolderTree::KeepChosenInView);
}

void TFolderTree::KeepChosenInView()
{
    if (m_keepChosenInView)
        m_scrollTimer->start();
}

void TFolderTree::UserTookOver()
{
    m_keepChosenInView = false;
    m_scrollTimer->stop();
}

void TFolderTree::keyPressEvent(QKeyEvent *event)
{
    UserTookOver();
    QTreeView::keyPressEvent(event);
}

void TFolderTree::mousePressEvent(QMouseEvent *event)
{
    UserTookOver();
    QTreeView::mousePressEvent(event);
}

void TFolderTree::wheelEvent(QWheelEvent *event)
{
    UserTookOver();
    QTreeView::wheelEvent(event);
}

void TFolderTree::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    KeepChosenInView();
}

void TFolderTree::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QScrollBar *sideways = horizontalScrollBar();
    const int left = sideways->value();
    QTreeView::scrollTo(index, hint);
    sideways->setValue(left);
}

void TFolderTree::CurrentChanged(const QModelIndex &current)
{
    const QString path = current.isValid() ? m_model->filePath(current) : QString();
    if (path == m_selectedPath)
        return;
    if (m_modelChanging > 0 && !m_selectedPath.isEmpty() && QFileInfo(m_selectedPath).isDir()) {
        // The chosen folder is still there: go back to it once the model
        // has settled.
        QTimer::singleShot(0, this, [this] {
            const QModelIndex chosen = m_model->index(m_selectedPath);
            if (chosen.isValid())
                setCurrentIndex(chosen);
        });
        return;
    }
    m_selectedPath = path;
    if (current.isValid())
        expand(current);
    emit FolderChanged();
}

QString TFolderTree::SelectedFolder() const
{
    return m_selectedPath;
}

bool TFolderTree::SelectFolder(const QString &path)
{
    const QString folder = WithoutTrailingSeparator(path);
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    const QModelIndex index = m_model->index(info.absoluteFilePath());
    if (!index.isValid())
        return false;
    setCurrentIndex(index);
    m_keepChosenInView = true;
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    KeepChosenInView();
    return true;
}
