#include "browser/CachedThumbnail.h"

#include "browser/ThumbnailCache.h"
#include "browser/ThumbnailCell.h"
#include "imaging/PictureLoading.h"

#include <exception>
#include <new>

QImage LoadThumbnailPicture(const QString &path, int cellSize)
{
    return LoadUprightPicture(path, JPEGReadScale::Eighth, QSize(cellSize, cellSize));
}

TThumbnailOutcome FetchThumbnail(const TThumbnailCache *cache, const QString &path, const ThumbnailLoader &load,
                                 int cellSize)
{
    using Kind = TThumbnailOutcome::Kind;
    // A cell takes the entries of the least size that fills it; a cell
    // larger than every entry would show them small or blurred, so it is
    // made from the file and the entries are left alone.
    const int entrySize = TThumbnailCache::EntrySizeFor(cellSize);
    if (entrySize == 0)
        cache = nullptr;
    if (cache) {
        TThumbnailCache::Found found = cache->Find(path, entrySize);
        if (found.state == TThumbnailCache::State::Thumbnail)
            return {Kind::Cached, ThumbnailPicture(found.picture, cellSize), {}, false};
        if (found.state == TThumbnailCache::State::Failed)
            return {Kind::Failed, {}, found.error, false};
    }
    TThumbnailOutcome outcome;
    QImage picture;
    try {
        picture = load(path);
    } catch (const std::bad_alloc &) {
        // A lack of memory says nothing about the file: no failure entry.
        return {Kind::Failed, {}, QStringLiteral("Out of memory"), false};
    } catch (const std::exception &error) {
        outcome.error = QString::fromUtf8(error.what());
        if (outcome.error.trimmed().isEmpty())
            outcome.error = QStringLiteral("The picture could not be loaded.");
    }
    if (!outcome.error.isEmpty() || picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        outcome.kind = Kind::Failed;
        if (cache)
            cache->StoreFailure(path, outcome.error);
        return outcome;
    }
    if (!cache || entrySize == cellSize) {
        outcome.picture = ThumbnailPicture(picture, cellSize);
        outcome.stored = cache && !outcome.picture.isNull() && cache->Store(path, outcome.picture, entrySize);
        return outcome;
    }
    // The entry is made at its own size, as other programs expect it, and
    // the cell from the entry, as a later visit makes it.
    const QImage entry = ThumbnailPicture(picture, entrySize);
    outcome.picture = ThumbnailPicture(entry, cellSize);
    outcome.stored = !entry.isNull() && cache->Store(path, entry, entrySize);
    return outcome;
}
