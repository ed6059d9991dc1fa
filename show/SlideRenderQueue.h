#pragma once

#include "show/SlideshowBuild.h"

#include <QByteArray>
#include <QList>
#include <QSize>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// The JPEGs of a build's slides, rendered and encoded on worker threads a
// few slides ahead of the writer, which takes them strictly in slide order.
// Each slide's JPEG depends on that slide alone, so the bytes are the same
// for any number of workers. Workers render at most a few slides ahead of
// the one taken last, so that memory stays bounded however many slides
// there are; when the queue ends (a failure, a stop), the workers finish the
// slide they are on and no slide is begun after that.
class TSlideRenderQueue
{
public:
    // threads: workers; 0 takes one per processor core.
    TSlideRenderQueue(const QList<BuildSlide> &slides, QSize screen, int quality, int threads);
    ~TSlideRenderQueue();
    TSlideRenderQueue(const TSlideRenderQueue &) = delete;
    TSlideRenderQueue &operator=(const TSlideRenderQueue &) = delete;

    // The JPEG of slide `index` (0-based, in slide order), waiting for it;
    // fails with the error that rendering it met. Slides are taken in order.
    QByteArray Take(int index);

    int Workers() const { return int(m_workers.size()); }

private:
    struct Slot
    {
        bool done = false;
        QByteArray jpeg;
        std::exception_ptr error;
    };
    void Work();

    const QList<BuildSlide> m_slides;
    const QSize m_screen;
    const int m_quality;
    int m_resamplingThreads = 0;
    int m_ahead = 1;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Slot> m_slots;
    int m_next = 0;  // the next slide a worker begins
    int m_taken = 0; // slides taken so far
    bool m_stopped = false;
    std::vector<std::thread> m_workers;
};
