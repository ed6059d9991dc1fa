#pragma once

#include "player/ShowRenderer.h"
#include "show/SlideshowBuild.h"

#include <QList>
#include <QSize>

#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

// The slides' pictures made ready on a thread of their own, in slide order
// and one slide ahead of the one taken last, so that loading and resampling
// the next photo overlaps encoding the frames of this one. Each picture is
// fitted into the screen as the slide shows it (SlideRendering).
class SlidePrefetch
{
public:
    SlidePrefetch(QList<BuildSlide> slides, QSize screen);
    // Waits for the picture being made, if any.
    ~SlidePrefetch();
    SlidePrefetch(const SlidePrefetch &) = delete;
    SlidePrefetch &operator=(const SlidePrefetch &) = delete;

    // The content of slide `index`, waiting until it is ready; fails with the
    // error its picture failed with. Slides passed over are let go.
    SlideContent Take(int index);

private:
    struct Prepared
    {
        SlideContent content;
        std::exception_ptr error;
    };

    SlideContent Make(int index) const;
    void Run();

    const QList<BuildSlide> m_slides;
    const QSize m_screen;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<int, Prepared> m_ready;
    int m_taken = -1; // the last slide taken
    bool m_stop = false;
    std::thread m_thread;
};
