#pragma once

#include <vector>

// The timing of a running show, apart from any window: which slide is on,
// how far its transition has come, pausing, going on and back, and the end.
// Each slide begins with its transition, which takes part of its time.

struct PlaybackSlide
{
    double duration = 5.0; // seconds
    int transition = 0;
};

// No slide is shown for less than this, so a zero duration still flashes by.
constexpr double kShortestSlideSeconds = 0.1;

// About a second, less for short slides; a cut takes no time.
double TransitionSeconds(int transition, double duration);

class ShowPlayback
{
public:
    explicit ShowPlayback(std::vector<PlaybackSlide> slides);

    // Lets time pass; nothing moves while paused.
    void Advance(double seconds);
    // Goes to the next slide, fully shown; after the last one the show ends.
    void Next();
    // Goes to the previous slide (or the start of the first), fully shown.
    void Previous();
    void TogglePause() { m_paused = !m_paused; }

    bool Paused() const { return m_paused; }
    bool Finished() const { return m_index >= int(m_slides.size()); }
    int Index() const { return m_index; }
    // The slide the current transition comes from; -1 for a black screen.
    int FromIndex() const { return m_from; }
    bool InTransition() const;
    // 0 to 1 through the transition; 1 once the slide is fully shown.
    double TransitionProgress() const;
    // Seconds until something changes: the transition's end or the slide's.
    double SecondsToNextChange() const;

private:
    double Duration(int index) const;
    double Transition(int index) const;
    void Enter(int index, bool withTransition);

    std::vector<PlaybackSlide> m_slides;
    int m_index = 0;
    int m_from = -1;
    double m_elapsed = 0; // within the current slide
    bool m_skipTransition = false;
    bool m_paused = false;
};
