#pragma once

#include "imaging/JPEGReadScale.h"

#include <QImage>
#include <QString>

// Loads a picture the way the program does (LoadPictureFile) and fails with
// "No picture could be read from %s" when the result is empty.
QImage LoadPictureForCli(const QString &path, JPEGReadScale scale);
