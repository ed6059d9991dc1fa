#pragma once

#include <QStringList>

// vistrano-cli decode PICTURE OUT.ppm [--scale 1|2|4|8]: the picture as the
// program loads it (its stored pixels; JPEG, HEIF, AVIF and WebP files at
// the scale, or a HEIF file's embedded thumbnail when that is at least the
// scaled size), written as a binary PPM; an empty picture is a failure.
int RunDecode(const QStringList &args);
