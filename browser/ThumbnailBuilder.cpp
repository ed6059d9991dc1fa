#include "browser/ThumbnailBuilder.h"

#include "browser/CachedThumbnail.h"
#include "browser/ThumbnailCache.h"
#include "browser/ThumbnailCell.h"

#include <QThread>

#include <atomic>

namespace {

// Thrown through FetchThumbnail when the build stopped during a load: the
// picture is not stored and no cell is made.
struct Stopped
{
};

} // namespace

struct TThumbnailBuilder::Run
{
    QStringList paths;
    QColor background;
    int cellSize = 0;
    PictureLoader loader;
    std::shared_ptr<const TThumbnailCache> cache;
    quint64 generation = 0;
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
};

TThumbnailBuilder::TThumbnailBuilder(int cellSize, QObject *parent)
    : QObject(parent), m_cellSize(cellSize),
      m_loader([cellSize](const QString &path) { return LoadThumbnailPicture(path, cellSize); })
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

TThumbnailBuilder::~TThumbnailBuilder()
{
    Stop();
    WaitForWorkers();
}

void TThumbnailBuilder::SetPictureLoader(PictureLoader loader)
{
    m_loader = std::move(loader);
}

void TThumbnailBuilder::SetCache(std::shared_ptr<const TThumbnailCache> cache)
{
    m_cache = std::move(cache);
}

void TThumbnailBuilder::SetThreadCount(int threads)
{
    m_pool.setMaxThreadCount(std::max(1, threads));
}

quint64 TThumbnailBuilder::Start(const QStringList &paths, const QColor &background)
{
    Stop();
    auto run = std::make_shared<Run>();
    run->paths = paths;
    run->background = background;
    run->cellSize = m_cellSize;
    run->loader = m_loader;
    run->cache = m_cache;
    run->generation = ++m_generation;
    m_run = run;
    m_count = int(paths.size());
    m_delivered = 0;
    m_running = true;
    if (m_count == 0) {
        m_running = false;
        emit Finished(run->generation);
        return run->generation;
    }
    const int workers = std::min(m_pool.maxThreadCount(), m_count);
    for (int i = 0; i < workers; ++i)
        m_pool.start([this, run] { Work(run); });
    return run->generation;
}

void TThumbnailBuilder::Stop()
{
    if (m_run)
        m_run->stopped = true;
    m_run.reset();
    m_running = false;
}

void TThumbnailBuilder::WaitForWorkers()
{
    m_pool.waitForDone();
}

void TThumbnailBuilder::Work(const std::shared_ptr<Run> &run)
{
    // Runs on a worker thread; it touches only the run and posts the cells.
    // Every worker reads the same list: only through a const reference, as
    // a non-const access detaches (rewrites) an implicitly shared list and
    // workers doing so at once corrupt it.
    const QStringList &paths = run->paths;
    for (;;) {
        if (run->stopped)
            return;
        const int position = run->next.fetch_add(1);
        if (position >= paths.size())
            return;
        const QString &path = paths[position];
        const auto load = [&run](const QString &file) {
            QImage picture = run->loader(file);
            if (run->stopped)
                throw Stopped();
            return picture;
        };
        QImage cell;
        bool failed = false;
        try {
            const TThumbnailOutcome outcome = FetchThumbnail(run->cache.get(), path, load, run->cellSize);
            if (!outcome.error.isEmpty()) {
                // The message box names only the file; the reason goes to the log.
                qWarning("No thumbnail for %s: %s", qPrintable(path), qPrintable(outcome.error));
                failed = true;
            }
            cell = MakeThumbnailCell(outcome.picture, run->cellSize, run->background);
        } catch (const Stopped &) {
            return;
        } catch (...) {
            qWarning("No thumbnail for %s", qPrintable(path));
            failed = true;
        }
        if (failed && cell.isNull()) {
            try {
                cell = MakeThumbnailCell(QImage(), run->cellSize, run->background);
            } catch (...) {
                cell = QImage();
            }
        }
        const quint64 generation = run->generation;
        QMetaObject::invokeMethod(
            this, [this, generation, position, cell, failed] { Deliver(generation, position, cell, failed); },
            Qt::QueuedConnection);
    }
}

void TThumbnailBuilder::Deliver(quint64 generation, int position, const QImage &cell, bool failed)
{
    if (!m_running || generation != m_generation)
        return;
    ++m_delivered;
    emit CellReady(generation, position, cell, failed);
    // A slot may have stopped this build or started another one.
    if (m_running && generation == m_generation && m_delivered == m_count) {
        m_running = false;
        m_run.reset();
        emit Finished(generation);
    }
}
