#pragma once

#include <QImage>
#include <QString>

// Writes a 24-bit bitmap as a binary PPM (P6, maxval 255, red-green-blue
// bytes). Fails with "Cannot create file %s" or "Stream write error".
void WritePPMFile(const QImage &bitmap, const QString &path);
