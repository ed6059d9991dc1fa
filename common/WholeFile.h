#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file into memory. Only a regular file is read, and only as
// many bytes as its size says when it is opened, so a device (/dev/zero), a
// FIFO or a directory can neither claim unbounded memory nor hang the
// program: anything but a regular file that can be opened fails with
// "Cannot open file %s". A file that shrinks while it is read, or a read
// that fails, gives "Stream read error". The path's bytes are the file
// system's (EncodeFileName).
QByteArray ReadWholeFile(const QString &path);

// True when the path leads to a regular file (symbolic links followed).
bool IsRegularFile(const QString &path);

// The message of a file that cannot be opened: "Cannot open file %s".
QString CannotOpenFileText(const QString &path);

// The system's text for an error number ("File name too long").
QString SystemErrorText(int error);
