#pragma once

#include "project/ProjectFile.h"

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
