#pragma once

#include <QStringList>

// vistrano-cli web PROJECT.vsw OUT.html [--size WxH] [--compression 0..60]:
// the project's slides as one self-contained web page.
int RunWeb(const QStringList &args);
