#pragma once

#include <QStringList>

// vistrano-cli info PROJECT.vsw: the project's header and one tab-separated
// line per slide in file order.
int RunInfo(const QStringList &args);
