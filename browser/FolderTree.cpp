#include "browser/FolderTree.h"

#include "browser/FolderPath.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>

TFolderTree::TFolderTree(QWidget *parent) : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("STV1"));
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));
    setModel(m_model);
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
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            expand(current);
        emit FolderChanged();
    });
    // Children of a folder arrive from a background reader; keep the chosen
    // folder in view once its parent's entries are there.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });
}

QString TFolderTree::SelectedFolder() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return {};
    return m_model->filePath(current);
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
    scrollTo(index);
    return true;
}
