#pragma once

#include "tests/support/FileSizeLimit.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <utility>
#include <vector>

// The marker prefixes written out, as a reader of a package sees them.
inline const QByteArray kStart("SO!#");
inline const QByteArray kEnd("EO!#");

inline QByteArray Section(const QByteArray &upperKey, const QByteArray &value)
{
    return kStart + upperKey + value + kEnd + upperKey;
}

// A package as the whole-file operations leave it, kept as its sections so
// that no section has to be searched for: Replace drops the key's first
// section and appends the new one at the end, as Remove and Append do.
struct PackageModel
{
    QByteArray templateBytes;
    std::vector<std::pair<QByteArray, QByteArray>> sections; // upper-case key, value

    void Append(const QByteArray &key, const QByteArray &value);
    void Replace(const QByteArray &key, const QByteArray &value);
    QByteArray Bytes() const;
};

// Every section of the model is read back from the package, in order, with
// its value, and every key finds its first section whatever its letter case
// (gtest expectations).
void ExpectReadsAs(const QByteArray &package, const PackageModel &model);

// A picture with some structure (gradients and a bright corner), so that
// resampled and encoded results are not trivially uniform.
QImage TestPicture(int width, int height);

// Writes the picture into the folder, in the format its name's extension
// gives, and returns its path.
QString WriteTestPicture(const QString &folder, const QString &name, int width, int height);
