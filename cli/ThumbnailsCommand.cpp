#include "cli/ThumbnailsCommand.h"

#include "browser/CachedThumbnail.h"
#include "browser/FileListFilling.h"
#include "browser/FileListSorting.h"
#include "browser/FolderPath.h"
#include "browser/PictureMasks.h"
#include "browser/ThumbnailCache.h"
#include "cli/CliArguments.h"
#include "common/FileNames.h"
#include "common/OrderedWork.h"
#include "common/VistranoError.h"

#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int kCellSize = TThumbnailCache::kNormalSize;

// The folder's pictures in the file list's name order.
QStringList PicturesOf(const QString &folder)
{
    const std::vector<FileListItem> items = ListPictureFiles(folder, SplitMaskList(kPictureFileMasks));
    QStringList paths;
    for (int row : SortedFileListOrder(items, ColumnFileName, true))
        paths << WithTrailingSeparator(folder) + items[size_t(row)].caption;
    return paths;
}

} // namespace

int RunThumbnails(const QStringList &args)
{
    const CliArguments parsed = CliArguments::Parse(args, {QStringLiteral("--threads")}, 1, 1 << 20);
    const int threads = parsed.options.contains(QStringLiteral("--threads"))
                            ? ParseIntArgument(parsed.options.value(QStringLiteral("--threads")), 1, 64)
                            : 0;
    QStringList problems;
    QStringList paths;
    for (const QString &folder : parsed.positional) {
        const QFileInfo info(folder);
        if (!info.isDir() || !info.isReadable()) {
            problems << QStringLiteral("Cannot read the folder %1").arg(folder);
            continue;
        }
        paths << PicturesOf(info.absoluteFilePath());
    }

    const TThumbnailCache cache;
    TOrderedWork<TThumbnailOutcome> work(
        int(paths.size()),
        [&](int index) {
            return FetchThumbnail(&cache, paths[index], [](const QString &path) {
                return LoadThumbnailPicture(path, kCellSize);
            }, kCellSize);
        },
        threads);
    bool unwritable = false;
    for (int i = 0; i < paths.size(); ++i) {
        const TThumbnailOutcome outcome = work.Take(i);
        // The file system's bytes, so that a script can open what it reads.
        const QByteArray path = EncodeFileName(paths[i]);
        switch (outcome.kind) {
        case TThumbnailOutcome::Kind::Cached:
            std::printf("cached %s\n", path.constData());
            break;
        case TThumbnailOutcome::Kind::Failed:
            std::printf("failed %s\n", path.constData());
            std::fprintf(stderr, "%s: %s\n", path.constData(),
                         outcome.error.isEmpty() ? "the file holds no picture that can be read"
                                                 : outcome.error.toUtf8().constData());
            break;
        case TThumbnailOutcome::Kind::Made:
            if (!outcome.stored && !outcome.picture.isNull()) {
                std::printf("failed %s\n", path.constData());
                unwritable = true;
            } else {
                std::printf("made %s\n", path.constData());
            }
            break;
        }
        std::fflush(stdout);
    }
    if (unwritable)
        problems << QStringLiteral("Cannot write to the thumbnail cache %1").arg(cache.Root());
    if (!problems.isEmpty())
        throw VistranoError(problems.join(QLatin1Char('\n')));
    return 0;
}
