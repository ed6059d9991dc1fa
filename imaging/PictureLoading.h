#pragma once

#include <QImage>
#include <QString>

// The scale at which a JPEG file is decoded; each side is divided and
// rounded up (a 1001 by 667 JPEG gives 126 by 84 at one eighth).
enum class JPEGReadScale : int { Whole = 0, Half = 1, Quarter = 2, Eighth = 3 };

// The one rule that turns a picture file into pixels: JPEG files are decoded
// by the scaled JPEG reader, every other file through the format registry by
// its extension. The result is always 24-bit (Format_BGR888); it is a null
// image when a JPEG cannot be read (no message) or when the file's class
// gives no bitmap. Errors of the registry path (unreadable file, unknown
// extension, a decoder's message) propagate as VistranoError.
QImage LoadPictureFile(const QString &path, JPEGReadScale scale);

// Brings any decoded bitmap to 24 bits (Format_BGR888); transparency is
// composed onto black.
QImage MakeBitmap24(const QImage &bitmap);
