#pragma once

#include "player/ShowTimeline.h"

// A running show, apart from any window: where on its timeline it stands,
// pausing, going on and back by a key, and the end. A slide reached by a key
// is shown at once, without its transition, for its whole time.
class ShowPlayback
{
public:
    explicit ShowPlayback(ShowTimeline timeline);

    // Lets time pass; nothing moves while paused.
    void Advance(double seconds);
    // Goes to the next slide; after the last one the show ends.
    void Next();
    // Goes to the previous slide (or the start of the first one).
    void Previous();
    void TogglePause() { m_paused = !m_paused; }

    bool Paused() const { return m_paused; }
    bool Finished() const { return m_time >= m_timeline.length; }
    // What the screen shows now.
    ShowMoment Moment() const;
    int Index() const { return Moment().index; }
    bool InTransition() const { return Moment().InTransition(); }
    // Seconds until something changes: the transition's end or the slide's.
    double SecondsToNextChange() const;
    const ShowTimeline &Timeline() const { return m_timeline; }

private:
    void Enter(int index);

    ShowTimeline m_timeline;
    double m_time = 0;     // seconds on the timeline
    int m_shownAtOnce = -1; // the slide reached by a key, whose transition is left out
    bool m_paused = false;
};
