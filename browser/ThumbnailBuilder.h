#pragma once

#include "common/BackgroundJobs.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class TThumbnailCache;

// Makes the thumbnail cells of a list of picture files on worker threads
// and hands each finished cell to the interface thread as it comes, so that
// the window never waits for a decode. With a thumbnail cache, a file whose
// entry is valid is not decoded, and a decoded one is stored there. Files
// are taken in list order. A new build, or Stop, ends the running one
// cleanly: its files not yet begun are never decoded and none of its cells
// is delivered after that, so two builds never mix their cells.
class TThumbnailBuilder : public QObject
{
    Q_OBJECT

public:
    // Turns a file into a picture; throws on a file that cannot be loaded.
    using PictureLoader = std::function<QImage(const QString &path)>;

    explicit TThumbnailBuilder(int cellSize, QObject *parent = nullptr);

    // The default loader shows each file upright as its orientation tag
    // says, JPEG files decoded at one eighth of their size and the formats
    // with embedded thumbnails or scaled decoding small.
    void SetPictureLoader(PictureLoader loader);
    // The cache the builds use from the next Start on; none by default.
    void SetCache(std::shared_ptr<const TThumbnailCache> cache);
    void SetThreadCount(int threads) { m_jobs.SetThreadCount(threads); }
    // The side of the cells in pixels, for the builds started after.
    void SetCellSize(int cellSize) { m_cellSize = cellSize; }
    int CellSize() const { return m_cellSize; }

    // Starts a build over the files; returns its number (the generation
    // that its signals carry).
    quint64 Start(const QStringList &paths, const QColor &background);
    void Stop() { m_jobs.Stop(); }
    // Blocks until every worker, those of stopped builds too, has returned;
    // whatever they posted is then waiting in the event queue.
    void WaitForWorkers() { m_jobs.WaitForWorkers(); }
    bool IsRunning() const { return m_jobs.IsRunning(); }
    quint64 Generation() const { return m_jobs.Generation(); }

signals:
    // The cell of the file at the position of the list given to Start.
    // Failed: loading the file raised an error; its cell holds the
    // background (as it does for a file that reads as no picture).
    void CellReady(quint64 generation, int position, const QImage &cell, bool failed);
    // Every cell of the build has been delivered.
    void Finished(quint64 generation);

private:
    int m_cellSize;
    PictureLoader m_loader;
    std::shared_ptr<const TThumbnailCache> m_cache;
    TBackgroundJobs m_jobs;
};
