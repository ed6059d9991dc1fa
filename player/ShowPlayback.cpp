#include "player/ShowPlayback.h"

#include <algorithm>

ShowPlayback::ShowPlayback(ShowTimeline timeline) : m_timeline(std::move(timeline)) {}

ShowMoment ShowPlayback::Moment() const
{
    ShowMoment moment = MomentAt(m_timeline, m_time);
    if (moment.index == m_shownAtOnce)
        moment.progress = 1;
    return moment;
}

void ShowPlayback::Advance(double seconds)
{
    if (m_paused || Finished() || !(seconds > 0))
        return;
    m_time += seconds;
}

void ShowPlayback::Enter(int index)
{
    const int count = int(m_timeline.slides.size());
    m_time = index < count ? m_timeline.slides[size_t(index)].start : m_timeline.length;
    m_shownAtOnce = index;
}

void ShowPlayback::Next()
{
    if (!Finished())
        Enter(Index() + 1);
}

void ShowPlayback::Previous()
{
    if (!Finished())
        Enter(std::max(0, Index() - 1));
}

double ShowPlayback::SecondsToNextChange() const
{
    if (Finished())
        return 0;
    const ShowMoment moment = Moment();
    const TimedSlide &slide = m_timeline.slides[size_t(moment.index)];
    return (moment.InTransition() ? slide.ShownAt() : slide.End()) - m_time;
}
