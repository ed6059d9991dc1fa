#include "player/ShowTimeline.h"

#include <algorithm>
#include <cmath>

double TransitionSeconds(int transition, double duration)
{
    if (transition <= 0)
        return 0;
    return std::min(1.0, std::max(duration, kShortestSlideSeconds) / 3.0);
}

ShowTimeline MakeShowTimeline(const std::vector<TimelineSlide> &slides)
{
    ShowTimeline timeline;
    timeline.slides.reserve(slides.size());
    double start = 0;
    for (const TimelineSlide &slide : slides) {
        // A damaged duration (not a number) counts as the shortest.
        const double length = std::isfinite(slide.duration) ? std::max(slide.duration, kShortestSlideSeconds)
                                                            : kShortestSlideSeconds;
        TimedSlide timed;
        timed.start = start;
        timed.length = length;
        timed.transition = slide.transition;
        timed.transitionLength = TransitionSeconds(slide.transition, length);
        timeline.slides.push_back(timed);
        start += length;
    }
    timeline.length = start;
    return timeline;
}

ShowMoment MomentAt(const ShowTimeline &timeline, double seconds)
{
    ShowMoment moment;
    const int count = int(timeline.slides.size());
    if (!(seconds >= 0)) {
        moment.index = -1;
        return moment;
    }
    if (seconds >= timeline.length) {
        moment.index = count;
        moment.from = count - 1;
        return moment;
    }
    // The last slide that starts at or before the moment.
    const auto after = std::upper_bound(timeline.slides.begin(), timeline.slides.end(), seconds,
                                        [](double t, const TimedSlide &slide) { return t < slide.start; });
    const int index = std::max(0, int(after - timeline.slides.begin()) - 1);
    const TimedSlide &slide = timeline.slides[size_t(index)];
    moment.index = index;
    moment.from = index - 1;
    moment.transition = slide.transition;
    moment.slideTime = seconds - slide.start;
    moment.slideLength = slide.length;
    if (moment.slideTime < slide.transitionLength)
        moment.progress = std::clamp(moment.slideTime / slide.transitionLength, 0.0, 1.0);
    return moment;
}

ShowMoment ShownMoment(const ShowTimeline &timeline, int index)
{
    ShowMoment moment;
    moment.index = index;
    moment.from = index - 1;
    if (index >= 0 && index < int(timeline.slides.size())) {
        moment.transition = timeline.slides[size_t(index)].transition;
        moment.slideLength = timeline.slides[size_t(index)].length;
    }
    return moment;
}
