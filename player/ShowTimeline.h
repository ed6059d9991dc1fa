#pragma once

#include <algorithm>
#include <vector>

// When each slide of a show is on the screen. A slide begins with its
// transition from the slide before (from black for the first), which takes
// the first part of the slide's own time; the show ends when the last slide's
// time is up. The player, its frame export, the video and the audio under it
// all read their times here.

struct TimelineSlide
{
    double duration = 5.0; // seconds
    int transition = 0;    // 0 Cut, 1 Dissolve, 2..5 the wipes
};

// No slide is shown for less than this, so a zero duration still flashes by.
constexpr double kShortestSlideSeconds = 0.1;

// About a second, less for short slides; a cut takes no time.
double TransitionSeconds(int transition, double duration);

struct TimedSlide
{
    double start = 0;            // seconds from the start of the show
    double length = 0;           // how long it is on, its transition included
    double transitionLength = 0; // the first part of its time
    int transition = 0;

    double End() const { return start + length; }
    // The moment the slide stands fully shown.
    double ShownAt() const { return start + transitionLength; }
};

struct ShowTimeline
{
    std::vector<TimedSlide> slides;
    double length = 0; // seconds
};

ShowTimeline MakeShowTimeline(const std::vector<TimelineSlide> &slides);

// What the screen shows at a moment: a slide, and while its transition runs,
// the slide it comes from and how far it has come.
struct ShowMoment
{
    int index = -1;       // the slide; -1 before the start, the count after the end
    int from = -1;        // the slide the transition comes from; -1 for black
    int transition = 0;   // the transition code in effect
    double progress = 1;  // 0 to 1 through the transition; 1 once fully shown
    double slideTime = 0; // seconds since the slide began
    double slideLength = 0; // the slide's whole time, its transition included

    bool InTransition() const { return progress < 1; }
    // How far the slide's motion has come: 0 at its start, 1 at its end.
    double MotionProgress() const { return slideLength > 0 ? std::clamp(slideTime / slideLength, 0.0, 1.0) : 0; }
};

// The moment at `seconds` from the start. Outside the show (before 0 or from
// its length on) the index is -1 or the slide count, fully shown.
ShowMoment MomentAt(const ShowTimeline &timeline, double seconds);

// The moment at which slide `index` stands fully shown, without its
// transition having run: where going forward or back by a key lands.
ShowMoment ShownMoment(const ShowTimeline &timeline, int index);
