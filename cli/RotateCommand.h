#pragma once

#include <QStringList>

// vistrano-cli rotate PICTURE OUT.ppm ANGLE: the whole picture turned by a
// slide's rotation rule (90, 180, 270 clockwise; any other angle leaves it),
// written as a binary PPM.
int RunRotate(const QStringList &args);
