#pragma once

#include <QByteArray>
#include <QString>

// 8-bit text in files (project header, component stream strings, bookmarks,
// package captions) is written as UTF-8. Files made on Windows hold
// Windows-1252 instead, so bytes that are not valid UTF-8 are read as that.
QString DecodeText8(const QByteArray &bytes);
QString DecodeText8(const char *data, qsizetype size);

// The Windows-1252 reading of the bytes, whatever they are.
QString DecodeWindows1252(const char *data, qsizetype size);

// Text as it is written to a file: UTF-8 bytes.
QByteArray EncodeText8(const QString &text);
