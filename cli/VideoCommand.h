#pragma once

#include <QStringList>

// vistrano-cli video PROJECT.vsw OUT.mp4 [--size WxH] [--fps N] [--crf N]
int RunVideo(const QStringList &args);
