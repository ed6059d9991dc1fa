#include "show/SlideRenderQueue.h"

#include "show/SlideRendering.h"

#include <QFileInfo>

#include <algorithm>
#include <system_error>

namespace {

// Paths are made absolute here, on the caller's thread, against the current
// directory as it is now.
QList<BuildSlide> WithAbsolutePaths(QList<BuildSlide> slides)
{
    for (BuildSlide &slide : slides) {
        if (!slide.FileName.isEmpty())
            slide.FileName = QFileInfo(slide.FileName).absoluteFilePath();
    }
    return slides;
}

} // namespace

TSlideRenderQueue::TSlideRenderQueue(const QList<BuildSlide> &slides, QSize screen, int quality, int threads)
    : m_slides(WithAbsolutePaths(slides)), m_screen(screen), m_quality(quality), m_slots(size_t(slides.size()))
{
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::clamp(threads, 1, std::max(1, int(slides.size())));
    // With several workers each resamples on its own thread; a lone worker
    // may use the cores for the pictures that are decoded whole.
    m_resamplingThreads = threads > 1 ? 1 : 0;
    // Two slides ahead per worker keep every worker busy while the writer
    // appends, and hold at most that many finished JPEGs.
    m_ahead = 2 * threads;
    for (int i = 0; i < threads; ++i) {
        try {
            m_workers.emplace_back([this] { Work(); });
        } catch (const std::system_error &) {
            if (m_workers.empty())
                throw;
            break;
        }
    }
}

TSlideRenderQueue::~TSlideRenderQueue()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

void TSlideRenderQueue::Work()
{
    for (;;) {
        int index;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] {
                return m_stopped || m_next >= int(m_slots.size()) || m_next < m_taken + m_ahead;
            });
            if (m_stopped || m_next >= int(m_slots.size()))
                return;
            index = m_next++;
        }
        const BuildSlide &slide = m_slides[index];
        Slot result;
        try {
            result.jpeg = EncodeSlideJpeg(
                RenderSlidePicture(slide.FileName, slide.Rotation, m_screen, index + 1, m_resamplingThreads),
                m_quality);
        } catch (...) {
            result.error = std::current_exception();
        }
        {
            std::lock_guard lock(m_mutex);
            Slot &slot = m_slots[size_t(index)];
            slot.jpeg = std::move(result.jpeg);
            slot.error = result.error;
            slot.done = true;
        }
        m_changed.notify_all();
    }
}

QByteArray TSlideRenderQueue::Take(int index)
{
    std::unique_lock lock(m_mutex);
    Slot &slot = m_slots[size_t(index)];
    m_changed.wait(lock, [&] { return slot.done; });
    m_taken = std::max(m_taken, index + 1);
    QByteArray jpeg = std::move(slot.jpeg);
    const std::exception_ptr error = slot.error;
    slot = Slot{true, {}, {}};
    lock.unlock();
    m_changed.notify_all();
    if (error)
        std::rethrow_exception(error);
    return jpeg;
}
