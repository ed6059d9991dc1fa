#include "browser/ThumbnailBuilder.h"

#include "browser/CachedThumbnail.h"
#include "browser/ThumbnailCache.h"
#include "browser/ThumbnailCell.h"

namespace {

// Thrown through FetchThumbnail when the build stopped during a load: the
// picture is not stored and no cell is made.
struct Stopped
{
};

} // namespace

TThumbnailBuilder::TThumbnailBuilder(int cellSize, QObject *parent)
    : QObject(parent), m_cellSize(cellSize)
{
    connect(&m_jobs, &TBackgroundJobs::Finished, this, &TThumbnailBuilder::Finished);
}

void TThumbnailBuilder::SetPictureLoader(PictureLoader loader)
{
    m_loader = std::move(loader);
}

void TThumbnailBuilder::SetCache(std::shared_ptr<const TThumbnailCache> cache)
{
    m_cache = std::move(cache);
}

quint64 TThumbnailBuilder::Start(const QStringList &paths, const QColor &background)
{
    // Every worker reads the same list: only through a const reference, as
    // a non-const access detaches (rewrites) an implicitly shared list and
    // workers doing so at once corrupt it.
    const auto files = std::make_shared<const QStringList>(paths);
    const int cellSize = m_cellSize;
    // The default loader decodes for the cell size of this build.
    const PictureLoader loader = m_loader ? m_loader : [cellSize](const QString &path) {
        return LoadThumbnailPicture(path, cellSize);
    };
    const std::shared_ptr<const TThumbnailCache> cache = m_cache;
    const auto job = [this, files, cellSize, loader, cache, background](
                         int position, const std::atomic<bool> &stopped) -> TBackgroundJobs::Delivery {
        const QString &path = files->at(position);
        const auto load = [&](const QString &file) {
            QImage picture = loader(file);
            if (stopped)
                throw Stopped();
            return picture;
        };
        QImage cell;
        bool failed = false;
        try {
            const TThumbnailOutcome outcome = FetchThumbnail(cache.get(), path, load, cellSize);
            if (!outcome.error.isEmpty()) {
                // The message box names only the file; the reason goes to the log.
                qWarning("No thumbnail for %s: %s", qPrintable(path), qPrintable(outcome.error));
                failed = true;
            }
            cell = MakeThumbnailCell(outcome.picture, cellSize, background);
        } catch (const Stopped &) {
            return {};
        } catch (...) {
            qWarning("No thumbnail for %s", qPrintable(path));
            failed = true;
        }
        if (failed && cell.isNull()) {
            try {
                cell = MakeThumbnailCell(QImage(), cellSize, background);
            } catch (...) {
                cell = QImage();
            }
        }
        // Delivered only while this build is the running one.
        return [this, position, cell, failed] { emit CellReady(Generation(), position, cell, failed); };
    };
    return m_jobs.Start(int(paths.size()), job);
}
