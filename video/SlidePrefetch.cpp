#include "video/SlidePrefetch.h"

#include "show/SlideRendering.h"

#include <QFileInfo>

namespace {

// How far ahead of the slide taken last pictures are made: one is enough to
// hide a photo's loading behind the seconds its slide stands still, and each
// more would hold another picture in memory.
constexpr int kAhead = 1;

} // namespace

SlidePrefetch::SlidePrefetch(QList<BuildSlide> slides, QSize screen)
    : m_slides(std::move(slides)), m_screen(screen), m_thread([this] { Run(); })
{
}

SlidePrefetch::~SlidePrefetch()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

SlideContent SlidePrefetch::Make(int index) const
{
    const BuildSlide &slide = m_slides[index];
    SlideContent content;
    const QString path = slide.FileName.isEmpty() ? slide.FileName : QFileInfo(slide.FileName).absoluteFilePath();
    const bool moves = slide.Motion != SlideMotion::None;
    content.picture = RenderSlidePicture(path, slide.Rotation, m_screen, index + 1, SlideFit::AsShown,
                                         0, moves ? kMotionOversize : 1.0);
    content.caption = slide.Caption;
    // The same path as the show's build takes for the slide.
    content.motion = ResolveMotion(slide.Motion, index + 1, slide.FileName, content.picture.size());
    return content;
}

void SlidePrefetch::Run()
{
    for (int index = 0; index < m_slides.size(); ++index) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || index <= m_taken + kAhead; });
            if (m_stop)
                return;
            // A slide passed over is not made.
            if (index < m_taken)
                continue;
        }
        Prepared prepared;
        try {
            prepared.content = Make(index);
        } catch (...) {
            prepared.error = std::current_exception();
        }
        {
            const std::lock_guard lock(m_mutex);
            m_ready.emplace(index, std::move(prepared));
        }
        m_changed.notify_all();
    }
}

SlideContent SlidePrefetch::Take(int index)
{
    std::unique_lock lock(m_mutex);
    if (index <= m_taken && m_ready.count(index) == 0) {
        // Asked for again: made once more, here.
        lock.unlock();
        return Make(index);
    }
    m_taken = index;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_ready.count(index) != 0; });
    Prepared prepared = std::move(m_ready[index]);
    m_ready.erase(m_ready.begin(), m_ready.upper_bound(index));
    lock.unlock();
    m_changed.notify_all();
    if (prepared.error)
        std::rethrow_exception(prepared.error);
    return std::move(prepared.content);
}
