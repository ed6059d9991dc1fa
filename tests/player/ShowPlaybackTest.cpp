#include "player/ShowPlayback.h"

#include <gtest/gtest.h>

TEST(ShowPlayback, TransitionsTakePartOfTheSlideTime)
{
    EXPECT_EQ(TransitionSeconds(0, 5), 0);     // Cut
    EXPECT_EQ(TransitionSeconds(1, 5), 1.0);   // about a second
    EXPECT_EQ(TransitionSeconds(2, 3), 1.0);
    EXPECT_NEAR(TransitionSeconds(4, 1.5), 0.5, 1e-9); // less for short slides
    EXPECT_GT(TransitionSeconds(5, 0), 0);
}

TEST(ShowPlayback, PlaysEachSlideForItsDurationAndEnds)
{
    ShowPlayback playback({{4, 1}, {2, 0}, {3, 2}});
    EXPECT_EQ(playback.Index(), 0);
    EXPECT_EQ(playback.FromIndex(), -1); // from black
    EXPECT_TRUE(playback.InTransition());
    playback.Advance(0.5);
    EXPECT_NEAR(playback.TransitionProgress(), 0.5, 1e-9);
    playback.Advance(0.5);
    EXPECT_FALSE(playback.InTransition());
    EXPECT_NEAR(playback.SecondsToNextChange(), 3.0, 1e-9);
    playback.Advance(3.0);
    EXPECT_EQ(playback.Index(), 1);
    EXPECT_FALSE(playback.InTransition()); // a cut
    playback.Advance(2.25);
    EXPECT_EQ(playback.Index(), 2);
    EXPECT_EQ(playback.FromIndex(), 1);
    EXPECT_NEAR(playback.TransitionProgress(), 0.25, 1e-9);
    playback.Advance(2.75);
    EXPECT_TRUE(playback.Finished());
}

TEST(ShowPlayback, KeysPauseGoOnAndBack)
{
    ShowPlayback playback({{4, 1}, {4, 1}, {4, 1}});
    playback.TogglePause();
    playback.Advance(100);
    EXPECT_EQ(playback.Index(), 0);
    playback.TogglePause();
    playback.Next();
    EXPECT_EQ(playback.Index(), 1);
    EXPECT_FALSE(playback.InTransition()); // shown at once
    EXPECT_EQ(playback.TransitionProgress(), 1.0);
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
    ShowPlayback playback({{0, 0}, {0, 1}});
    playback.Advance(kShortestSlideSeconds * 0.99);
    EXPECT_EQ(playback.Index(), 0);
    playback.Advance(kShortestSlideSeconds * 2.1);
    EXPECT_TRUE(playback.Finished());
    ShowPlayback empty({});
    EXPECT_TRUE(empty.Finished());
}
