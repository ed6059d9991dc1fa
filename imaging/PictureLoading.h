#pragma once

#include "imaging/JPEGReadScale.h"

#include <QImage>
#include <QString>

// The one rule that turns a picture file into pixels: JPEG files (.jpg,
// .jpeg, .jpe, .jfif in any letter case) are decoded by the scaled JPEG
// reader, every other file through the format registry by its extension, and
// always whole. The result is always 24-bit (Format_BGR888); it is a null
// image when a JPEG cannot be read (missing, no JPEG header; no message) or
// when the file's class gives no bitmap (icons, metafiles). A JPEG whose data
// breaks off after a good header gives a picture of the full scaled size.
// Errors of the registry path (unreadable file, unknown extension, a
// decoder's message) and pictures too large to hold, JPEG or not, propagate
// as VistranoError.
QImage LoadPictureFile(const QString &path, JPEGReadScale scale);

// Brings any decoded bitmap to 24 bits (Format_BGR888); transparency is
// composed onto black. A null image stays null.
QImage MakeBitmap24(const QImage &bitmap);

// True for the file names the JPEG reader takes (by extension).
bool IsJPEGFileName(const QString &path);
