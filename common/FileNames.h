#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File names are bytes on this system, and not every name is valid UTF-8 (a
// Latin-1 name from an old disk or archive). The program holds names as
// QString: valid UTF-8 is decoded as text, and each byte that is not part of
// valid UTF-8 is kept as the lone surrogate U+DC00 + byte, which no text
// holds, so that encoding the name gives the file system's bytes back. Every
// path the program opens is turned into bytes with EncodeFileName; Qt's own
// conversion would turn such bytes into U+FFFD and lose them.
QString DecodeFileName(QByteArrayView bytes);
QByteArray EncodeFileName(const QString &name);

// False when the name holds a byte kept by DecodeFileName: it cannot be
// written as text (into a project file, for instance) without changing it.
bool FileNameIsText(const QString &name);
