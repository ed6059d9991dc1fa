#pragma once

#include <QStringList>

// vistrano-cli build PROJECT.vsw OUT.exe [--size WxH] [--compression N]
// [--template PATH]: builds the project's show as "Create Slideshow" does,
// with progress lines on standard error.
int RunBuild(const QStringList &args);
