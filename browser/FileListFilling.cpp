#include "browser/FileListFilling.h"

#include "browser/PictureMasks.h"
#include "common/FileNames.h"

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

std::vector<FileListItem> ListPictureFiles(const QString &folder, const QStringList &masks,
                                           const ModifiedTextFormat &format)
{
    // One pass over the folder instead of one per mask; each file is tagged
    // with its first matching mask and a stable sort by that tag gives the
    // rows grouped by mask, each group in enumeration order. Only the
    // directory entries are read, with one stat per listed file.
    struct Found
    {
        int mask;
        FileListItem item;
    };
    std::vector<Found> found;
    DIR *dir = opendir(EncodeFileName(folder).constData());
    if (!dir)
        return {};
    const TMaskMatcher matcher(masks);
    TListedTimeConverter times;
    const int dirFd = dirfd(dir);
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        // Names keep their bytes, so a name that is not UTF-8 still opens.
        const QString name = DecodeFileName(entry->d_name);
        const int mask = matcher.Match(name);
        if (mask < 0)
            continue;
        struct stat info;
        if (fstatat(dirFd, entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            continue;
        found.push_back({mask, MakeFileListItemAt(name, qint64(info.st_size), times.Listed(qint64(info.st_mtim.tv_sec)),
                                                  format)});
    }
    closedir(dir);
    std::stable_sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return a.mask < b.mask; });
    std::vector<FileListItem> items;
    items.reserve(found.size());
    for (Found &f : found)
        items.push_back(std::move(f.item));
    return items;
}
