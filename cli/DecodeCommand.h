#pragma once

#include <QStringList>

// vistrano-cli decode PICTURE OUT.ppm [--scale 1|2|4|8]: the picture as the
// program loads it, written as a binary PPM; an empty picture is a failure.
int RunDecode(const QStringList &args);
