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
    // The cache's pictures are at most kNormalSize a side: a larger cell (a
    // screen with more pixels to the point) would show them small or
    // blurred, so it is made from the file and the entry is left alone.
    if (cellSize > TThumbnailCache::kNormalSize)
        cache = nullptr;
    if (cache) {
        TThumbnailCache::Found found = cache->Find(path);
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
    outcome.picture = ThumbnailPicture(picture, cellSize);
    outcome.stored = cache && !outcome.picture.isNull() && cache->Store(path, outcome.picture);
    return outcome;
}
