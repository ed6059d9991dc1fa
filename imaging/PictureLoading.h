#pragma once

#include "imaging/JPEGReadScale.h"

#include <QImage>
#include <QSize>
#include <QString>

// The one rule that turns a picture file into pixels: JPEG files (.jpg,
// .jpeg, .jpe, .jfif in any letter case) are decoded by the scaled JPEG
// reader, every other file through the format registry by its extension;
// the scale reaches the registry's formats that decode small pictures
// cheaply (HEIF, AVIF, WebP), the others are decoded whole. The pixels are
// the file's stored pixels: an orientation tag is reported, not applied
// (LoadPicture). The result is always 24-bit (Format_BGR888); it is a null
// image when a JPEG cannot be read (missing, no JPEG header; no message) or
// when the file's class gives no bitmap (icons, metafiles). A JPEG whose data
// breaks off after a good header gives a picture of the full scaled size.
// Errors of the registry path (unreadable file, unknown extension, a
// decoder's message) and pictures too large to hold, JPEG or not, propagate
// as VistranoError.
QImage LoadPictureFile(const QString &path, JPEGReadScale scale);

struct TLoadedPicture
{
    QImage bitmap; // the stored pixels, 24-bit
    // Degrees clockwise (0, 90, 180, 270) that stand the stored pixels
    // upright, from the file's orientation tag (JPEG EXIF). Formats whose
    // decoder applies the file's orientation itself (TIFF, HEIF) give 0.
    int turn = 0;
};

// LoadPictureFile with the file's turn. A caller that fits the picture into
// a box (thumbnails, slide making) passes it: an embedded thumbnail that
// covers the fitted size then serves in place of a decode.
TLoadedPicture LoadPicture(const QString &path, JPEGReadScale scale, QSize box = {});

// The picture as the user sees the file: LoadPicture turned by its turn.
QImage LoadUprightPicture(const QString &path, JPEGReadScale scale, QSize box = {});

// Brings any decoded bitmap to 24 bits (Format_BGR888); transparency is
// composed onto black. A null image stays null.
QImage MakeBitmap24(const QImage &bitmap);

// True for the file names the JPEG reader takes (by extension).
bool IsJPEGFileName(const QString &path);
