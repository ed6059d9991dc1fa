#pragma once

#include "player/ShowRenderer.h"
#include "player/ShowTimeline.h"

#include <QStringList>

struct ShowPackage;

// The timeline of the slides a package holds.
ShowTimeline PackageTimeline(const ShowPackage &show);

// Each slide's JPEG decoded, its caption, and what is wrong with it. The
// source reads the package, which must outlive it.
SlideContentSource PackageSlideSource(const ShowPackage &show);

// What is wrong with slide `index` (counted from 0), as the viewer is told:
// the show's own problems go with the first slide.
QStringList SlideNotes(const ShowPackage &show, int index, bool pictureDecodes);
