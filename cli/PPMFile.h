#pragma once

#include <QImage>
#include <QString>

// Writes a 24-bit bitmap as a binary PPM (P6, maxval 255, red-green-blue
// bytes), replacing the file only once it is complete (FileReplacement).
// Fails with "Cannot create file %s: " or "Cannot write file %s: " and the
// reason.
void WritePPMFile(const QImage &bitmap, const QString &path);
