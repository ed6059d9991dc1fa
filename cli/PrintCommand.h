#pragma once

#include <QStringList>

// vistrano-cli print PROJECT.vsw OUT.pdf [--paper letter|a4|legal] [--landscape]
// [--dpi 72..1200]: the project's slide sheet as "Print" lays it out, into a
// PDF file.
int RunPrint(const QStringList &args);
