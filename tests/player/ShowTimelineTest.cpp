#include "player/ShowPlayback.h"
#include "player/ShowTimeline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A dissolve of 4 s, a cut of 2 s, a wipe of 1.5 s (its transition takes a
// third of it), a dissolve of no time (shown for the shortest time) and a
// wipe of 0.6 s.
const std::vector<TimelineSlide> kSlides{{4, 1}, {2, 0}, {1.5, 4}, {0, 1}, {0.6, 2}};

} // namespace

TEST(ShowTimeline, SlideStartsTransitionSpansAndLength)
{
    const ShowTimeline timeline = MakeShowTimeline(kSlides);
    ASSERT_EQ(timeline.slides.size(), 5u);
    const double starts[] = {0, 4, 6, 7.5, 7.6};
    const double lengths[] = {4, 2, 1.5, kShortestSlideSeconds, 0.6};
    const double spans[] = {1, 0, 0.5, kShortestSlideSeconds / 3, 0.2};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(timeline.slides[i].start, starts[i], 1e-9) << i;
        EXPECT_NEAR(timeline.slides[i].length, lengths[i], 1e-9) << i;
        EXPECT_NEAR(timeline.slides[i].transitionLength, spans[i], 1e-9) << i;
        EXPECT_EQ(timeline.slides[i].transition, kSlides[i].transition);
    }
    // Transitions take part of their slide's time: the show lasts the sum of
    // the durations.
    EXPECT_NEAR(timeline.length, 8.2, 1e-9);
    EXPECT_EQ(MakeShowTimeline({}).length, 0);
    // A damaged duration counts as the shortest.
    EXPECT_EQ(MakeShowTimeline({{std::nan(""), 1}}).length, kShortestSlideSeconds);
}

TEST(ShowTimeline, MomentsAlongTheShow)
{
    const ShowTimeline timeline = MakeShowTimeline(kSlides);
    struct Row
    {
        double t;
        int index;
        int from;
        double progress;
    };
    const Row rows[] = {
        {0, 0, -1, 0},       // the first slide dissolves in from black
        {0.25, 0, -1, 0.25},
        {1, 0, -1, 1},       // fully shown from the end of its transition
        {3.999, 0, -1, 1},
        {4, 1, 0, 1},        // a cut: shown at once
        {6.25, 2, 1, 0.5},   // half of the wipe's half second
        {7.5 + kShortestSlideSeconds / 6, 3, 2, 0.5},
        {7.7, 4, 3, 0.5},
        {8.1999, 4, 3, 1},
        {8.2, 5, 4, 1},      // the end: past the last slide
        {100, 5, 4, 1},
        {-1, -1, -1, 1},
    };
    for (const Row &row : rows) {
        const ShowMoment moment = MomentAt(timeline, row.t);
        EXPECT_EQ(moment.index, row.index) << row.t;
        EXPECT_NEAR(moment.progress, row.progress, 1e-6) << row.t;
        if (moment.InTransition())
            EXPECT_EQ(moment.from, row.from) << row.t;
    }
    EXPECT_NEAR(MomentAt(timeline, 6.25).slideTime, 0.25, 1e-9);
    EXPECT_EQ(MomentAt(timeline, 6.25).transition, 4);
    const ShowMoment shown = ShownMoment(timeline, 2);
    EXPECT_EQ(shown.index, 2);
    EXPECT_FALSE(shown.InTransition());
}

TEST(ShowPlayback, PlaysEachSlideForItsDurationAndEnds)
{
    ShowPlayback playback(MakeShowTimeline({{4, 1}, {2, 0}, {3, 2}}));
    EXPECT_EQ(playback.Index(), 0);
    EXPECT_EQ(playback.Moment().from, -1); // from black
    EXPECT_TRUE(playback.InTransition());
    playback.Advance(0.5);
    EXPECT_NEAR(playback.Moment().progress, 0.5, 1e-9);
    EXPECT_NEAR(playback.SecondsToNextChange(), 0.5, 1e-9);
    playback.Advance(0.5);
    EXPECT_FALSE(playback.InTransition());
    EXPECT_NEAR(playback.SecondsToNextChange(), 3.0, 1e-9);
    playback.Advance(3.0);
    EXPECT_EQ(playback.Index(), 1);
    EXPECT_FALSE(playback.InTransition()); // a cut
    playback.Advance(2.25);
    EXPECT_EQ(playback.Index(), 2);
    EXPECT_EQ(playback.Moment().from, 1);
    EXPECT_NEAR(playback.Moment().progress, 0.25, 1e-9);
    playback.Advance(2.75);
    EXPECT_TRUE(playback.Finished());
}

TEST(ShowPlayback, KeysPauseGoOnAndBack)
{
    ShowPlayback playback(MakeShowTimeline({{4, 1}, {4, 1}, {4, 1}}));
    playback.TogglePause();
    playback.Advance(100);
    EXPECT_EQ(playback.Index(), 0);
    playback.TogglePause();
    playback.Next();
    EXPECT_EQ(playback.Index(), 1);
    EXPECT_FALSE(playback.InTransition()); // shown at once, for its whole time
    EXPECT_NEAR(playback.SecondsToNextChange(), 4.0, 1e-9);
    playback.Previous();
    playback.Previous();
    EXPECT_EQ(playback.Index(), 0);
    playback.Advance(4.5); // the next slide enters with its own transition
    EXPECT_EQ(playback.Index(), 1);
    EXPECT_TRUE(playback.InTransition());
    playback.Next();
    playback.Next();
    EXPECT_TRUE(playback.Finished());
    playback.Previous();
    EXPECT_TRUE(playback.Finished());
}

TEST(ShowPlayback, ZeroDurationsStillPass)
{
    ShowPlayback playback(MakeShowTimeline({{0, 0}, {0, 1}}));
    playback.Advance(kShortestSlideSeconds * 0.99);
    EXPECT_EQ(playback.Index(), 0);
    playback.Advance(kShortestSlideSeconds * 1.1);
    EXPECT_TRUE(playback.Finished());
    EXPECT_TRUE(ShowPlayback(MakeShowTimeline({})).Finished());
}
