#include "browser/FileListFilling.h"

#include "browser/PictureMasks.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

std::vector<FileListItem> ListPictureFiles(const QString &folder, const QStringList &masks,
                                           const ModifiedTextFormat &format)
{
    // One pass over the folder instead of one per mask; each file is tagged
    // with its first matching mask and a stable sort by that tag gives the
    // rows grouped by mask, each group in enumeration order.
    struct Found
    {
        int mask;
        FileListItem item;
    };
    std::vector<Found> found;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.startsWith(QLatin1Char('.')))
            continue;
        const int mask = MatchingMask(name, masks);
        if (mask < 0)
            continue;
        const QFileInfo info = it.fileInfo();
        if (!info.isFile())
            continue;
        found.push_back({mask, MakeFileListItem(name, info.size(), info.lastModified(), format)});
    }
    std::stable_sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return a.mask < b.mask; });
    std::vector<FileListItem> items;
    items.reserve(found.size());
    for (Found &f : found)
        items.push_back(std::move(f.item));
    return items;
}
