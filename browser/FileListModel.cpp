#include "browser/FileListModel.h"

#include "browser/FileListSorting.h"
#include "browser/FolderPath.h"
#include "browser/ImageList.h"
#include "common/FileNames.h"

#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <set>

QStringList FileListDragPaths(const QMimeData *data)
{
    if (!data || !data->hasFormat(QLatin1String(kFileListMimeType)))
        return {};
    // The paths travel as the file system's bytes, so names that are not
    // UTF-8 arrive as they are.
    QStringList paths;
    for (const QByteArray &path : data->data(QLatin1String(kFileListMimeType)).split('\0')) {
        if (!path.isEmpty())
            paths << DecodeFileName(path);
    }
    return paths;
}

TFileListModel::TFileListModel(const TImageList *imageList, QObject *parent)
    : QAbstractTableModel(parent), m_imageList(imageList)
{
}

void TFileListModel::SetItems(const QString &folder, std::vector<FileListItem> items)
{
    beginResetModel();
    m_folder = folder;
    m_items = std::move(items);
    IndexCaptions();
    endResetModel();
}

void TFileListModel::Clear()
{
    SetItems(m_folder, {});
}

QString TFileListModel::FilePath(int row) const
{
    return WithTrailingSeparator(m_folder) + m_items[size_t(row)].caption;
}

int TFileListModel::RowOfCaption(const QString &caption) const
{
    return m_rowByCaption.value(caption, -1);
}

void TFileListModel::IndexCaptions()
{
    m_rowByCaption.clear();
    m_rowByCaption.reserve(qsizetype(m_items.size()));
    for (int row = 0; row < int(m_items.size()); ++row)
        m_rowByCaption.insert(m_items[size_t(row)].caption, row);
}

void TFileListModel::Sort(int column, bool ascending)
{
    const std::vector<int> order = SortedFileListOrder(m_items, column, ascending);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(order.size());
    std::vector<FileListItem> sorted;
    sorted.reserve(m_items.size());
    for (size_t k = 0; k < order.size(); ++k) {
        newRowOf[size_t(order[k])] = int(k);
        sorted.push_back(std::move(m_items[size_t(order[k])]));
    }
    m_items = std::move(sorted);
    IndexCaptions();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after << this->index(newRowOf[size_t(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TFileListModel::SetImageIndex(int row, int imageIndex)
{
    if (row < 0 || row >= int(m_items.size()))
        return;
    m_items[size_t(row)].imageIndex = imageIndex;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {ThumbnailRole});
}

void TFileListModel::ClearImageIndexes()
{
    for (FileListItem &item : m_items)
        item.imageIndex = -1;
    if (!m_items.empty())
        emit dataChanged(index(0, 0), index(int(m_items.size()) - 1, 0), {ThumbnailRole});
}

int TFileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int TFileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FileListColumnCount;
}

QVariant TFileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_items.size()))
        return {};
    const FileListItem &item = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColumnFileName:
            return item.caption;
        case ColumnSize:
            return item.sizeText;
        case ColumnType:
            return item.typeText;
        case ColumnModified:
            return item.modifiedText;
        }
        return {};
    case ThumbnailRole:
        if (item.imageIndex < 0 || !m_imageList)
            return {};
        return m_imageList->Image(item.imageIndex);
    case FilePathRole:
        return FilePath(index.row());
    }
    return {};
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColumnFileName:
        return tr("FileName");
    case ColumnSize:
        return tr("Size");
    case ColumnType:
        return tr("Type");
    case ColumnModified:
        return tr("Modified");
    }
    return {};
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList TFileListModel::mimeTypes() const
{
    return {QLatin1String(kFileListMimeType), QStringLiteral("text/uri-list")};
}

QMimeData *TFileListModel::mimeData(const QModelIndexList &indexes) const
{
    std::set<int> rows;
    for (const QModelIndex &index : indexes)
        if (index.isValid())
            rows.insert(index.row());
    QByteArray paths;
    QList<QUrl> urls;
    for (int row : rows) {
        const QString path = FilePath(row);
        const QByteArray bytes = EncodeFileName(path);
        paths += bytes;
        paths += '\0';
        urls << QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
    }
    auto *data = new QMimeData;
    data->setData(QLatin1String(kFileListMimeType), paths);
    data->setUrls(urls);
    return data;
}

Qt::DropActions TFileListModel::supportedDragActions() const
{
    return Qt::CopyAction;
}
