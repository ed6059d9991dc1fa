#include "browser/DroppedFiles.h"

#include "browser/FileListFilling.h"
#include "browser/FileListModel.h"
#include "browser/FileListSorting.h"
#include "browser/FolderPath.h"
#include "browser/PictureMasks.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

bool CarriesFiles(const QMimeData *data)
{
    return data && (data->hasFormat(QLatin1String(kFileListMimeType)) || data->hasUrls());
}

QStringList FolderPictures(const QString &folder)
{
    const std::vector<FileListItem> items = ListPictureFiles(folder, SplitMaskList(kPictureFileMasks));
    const QString prefix = WithTrailingSeparator(folder);
    QStringList paths;
    for (int row : SortedFileListOrder(items, 0, true))
        paths << prefix + items[size_t(row)].caption;
    return paths;
}

DroppedFiles DroppedFilesOf(const QMimeData *data)
{
    DroppedFiles dropped;
    if (!data)
        return dropped;
    if (data->hasFormat(QLatin1String(kFileListMimeType))) {
        dropped.pictures = FileListDragPaths(data);
        return dropped;
    }
    const TMaskMatcher pictures(SplitMaskList(kPictureFileMasks));
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile()) {
            dropped.rejected << url.toDisplayString();
            continue;
        }
        const QFileInfo file(url.toLocalFile());
        if (file.isDir())
            dropped.pictures << FolderPictures(file.absoluteFilePath());
        else if (pictures.Match(file.fileName()) >= 0)
            dropped.pictures << file.absoluteFilePath();
        else
            dropped.rejected << file.fileName();
    }
    return dropped;
}
