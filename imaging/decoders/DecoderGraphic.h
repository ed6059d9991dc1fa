#pragma once

#include "imaging/Graphic.h"

#include <QImage>

// Base of the program's own decoders: a picture that is a bitmap directly.
// A subclass decodes the whole file in LoadFromBytes into m_bitmap, in the
// pixel format that suits the file (Indexed8 with a colour table,
// Grayscale8, BGR888, RGB32, ARGB32, ...); picture loading converts it.
class TDecoderGraphic : public TGraphic
{
public:
    QImage Bitmap() const override { return m_bitmap; }

    // The family's messages, also for the readers its decoders share:
    // "Cannot load image. Invalid or unexpected %s image format."
    [[noreturn]] static void FormatError(const char *formatName);
    // "Invalid color format in %s file."
    [[noreturn]] static void ColorFormatError(const char *formatName);

protected:
    // A bitmap of the given size and format, after the size has been checked
    // against the picture limits; fails cleanly when memory runs out.
    static QImage NewBitmap(int64_t width, int64_t height, QImage::Format format);

    QImage m_bitmap;
};
