#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The marker prefixes written out, as a reader of a package sees them.
inline const QByteArray kStart("SO!#");
inline const QByteArray kEnd("EO!#");

inline QByteArray Section(const QByteArray &upperKey, const QByteArray &value)
{
    return kStart + upperKey + value + kEnd + upperKey;
}

// A picture with some structure (gradients and a bright corner), so that
// resampled and encoded results are not trivially uniform.
QImage TestPicture(int width, int height);

// Writes the picture into the folder, in the format its name's extension
// gives, and returns its path.
QString WriteTestPicture(const QString &folder, const QString &name, int width, int height);
