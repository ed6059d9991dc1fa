#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The package operations on a file given by its path. Keys are matched
// without regard to ASCII case; only the upper-cased form is stored.

// Reads a whole regular file (ReadWholeFile); fails with "Cannot open file
// <path>".
QByteArray LoadFileAsBytes(const QString &path);

// Writes the bytes as the whole file, replacing it.
void SaveBytesAsFile(QByteArrayView bytes, const QString &path);

// Adds one section at the end of the file. The file is extended in place, not
// rewritten; a value that holds a marker prefix is refused, since it would cut
// the section short for every reader.
void AppendSection(QByteArrayView key, const QString &file, QByteArrayView value);

// Deletes the first section of the key, found as every reader finds it
// (show/PackageReader.h), from its start marker up to and including its end
// marker. A key that is not present, or whose section is damaged, leaves the
// file as it is.
void RemoveSection(QByteArrayView key, const QString &file);

// Remove, then Append: the section moves to the end of the file.
void ReplaceSection(QByteArrayView key, const QString &file, QByteArrayView value);
