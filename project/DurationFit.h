#pragma once

#include <QString>

#include <vector>

// A slide lasts whole seconds from 1 to 60 when its duration is fitted.
constexpr int kFittedShortest = 1;
constexpr int kFittedLongest = 60;

// Every slide's duration, so that the show (its slides' times, which hold
// their transitions) lasts as close to the audio as whole seconds allow.
struct DurationFit
{
    std::vector<int> durations; // in slide order
    int total = 0;              // seconds
};

// The audio's length rounded to whole seconds is shared out: every slide gets
// the same share, and the seconds left over go one each to slides spread
// evenly over the show. Fails with a message when there are no slides, when
// the length is not a length, when there are more slides than seconds, or
// when the slides would have to last longer than 60 seconds each.
DurationFit FitDurationsToAudio(int slideCount, double audioSeconds);

// What the fit says to the user: the show's new length and the audio's.
QString DurationFitReport(const DurationFit &fit, double audioSeconds);

// Seconds as minutes and seconds, "3:25"; tenths when they are not whole,
// "3:24.6".
QString MinutesAndSeconds(double seconds);
