#pragma once

#include <QSize>
#include <QString>

struct ShowPackage;
struct ShowSlide;
struct TimedSlide;

// The screen size frames are rendered at: the show's own, or 1024 by 768 when
// the show does not say.
QSize FrameScreenSize(const ShowPackage &show);

// Writes, for each slide n, "slide-NNN-transition.png" (the middle of its
// transition from the slide before, or from black) and "slide-NNN.png" (the
// slide fully shown) into the folder, and nothing else. Returns the number of
// files written; fails with a message when one cannot be written.
int ExportFrames(const ShowPackage &show, const QString &folder);

// The moment "slide-NNN-transition.png" shows: the middle of the slide's
// transition; for a cut, the slide's first moment.
double TransitionMiddle(const TimedSlide &slide);

// One line about a slide as the player read it, listed with the frames: its
// number, its duration in seconds with two decimals, its transition code and
// its caption, separated by tabs. A backslash, tab or line break in the
// caption is written as \\, \t, \n or \r.
QString SlideLine(const ShowSlide &slide);
