#pragma once

#include "project/ProjectFile.h"
#include "show/SlideshowBuild.h"

#include <QList>

#include <vector>

// A project opened for a command that needs all of it: a record that cannot
// be read fails the command with its message.
struct CliProject
{
    OpenedProject opened;
    // The slides as the strip shows them, in ascending Left, laid out.
    std::vector<const RectBoxProperties *> slides;
};

CliProject OpenWholeProject(const QString &path);

// What each slide of the project contributes to a show or a video, in slide
// order.
QList<BuildSlide> ShowSlidesOf(const CliProject &project);
