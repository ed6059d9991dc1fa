#include "player/ShowPlayback.h"

#include <algorithm>

double TransitionSeconds(int transition, double duration)
{
    if (transition <= 0)
        return 0;
    return std::min(1.0, std::max(duration, kShortestSlideSeconds) / 3.0);
}

ShowPlayback::ShowPlayback(std::vector<PlaybackSlide> slides) : m_slides(std::move(slides)) {}

double ShowPlayback::Duration(int index) const
{
    return std::max(m_slides[size_t(index)].duration, kShortestSlideSeconds);
}

double ShowPlayback::Transition(int index) const
{
    if (m_skipTransition)
        return 0;
    const PlaybackSlide &slide = m_slides[size_t(index)];
    return TransitionSeconds(slide.transition, slide.duration);
}

void ShowPlayback::Enter(int index, bool withTransition)
{
    m_from = withTransition ? m_index : -1;
    m_index = index;
    m_elapsed = 0;
    m_skipTransition = !withTransition;
}

void ShowPlayback::Advance(double seconds)
{
    if (m_paused || Finished() || !(seconds > 0))
        return;
    m_elapsed += seconds;
    while (!Finished() && m_elapsed >= Duration(m_index)) {
        const double over = m_elapsed - Duration(m_index);
        Enter(m_index + 1, true);
        m_elapsed = over;
    }
}

void ShowPlayback::Next()
{
    if (!Finished())
        Enter(m_index + 1, false);
}

void ShowPlayback::Previous()
{
    if (!Finished())
        Enter(std::max(0, m_index - 1), false);
}

bool ShowPlayback::InTransition() const
{
    return !Finished() && m_elapsed < Transition(m_index);
}

double ShowPlayback::TransitionProgress() const
{
    if (Finished())
        return 1;
    const double length = Transition(m_index);
    return length <= 0 ? 1 : std::clamp(m_elapsed / length, 0.0, 1.0);
}

double ShowPlayback::SecondsToNextChange() const
{
    if (Finished())
        return 0;
    return InTransition() ? Transition(m_index) - m_elapsed : Duration(m_index) - m_elapsed;
}
