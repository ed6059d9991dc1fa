#pragma once

#include <QStringList>

// vistrano-cli stretch PICTURE OUT.ppm WIDTH HEIGHT [--filter NAME]
// [--radius R]: the whole picture resampled to WIDTH x HEIGHT with
// StretchBitmap (default filter lanczos3, radius 0 for the filter's own),
// written as a binary PPM.
int RunStretch(const QStringList &args);
