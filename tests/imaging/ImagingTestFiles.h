#pragma once

#include <QByteArray>
#include <QImage>

#include <ostream>

enum class JPEGKind { Colour, Grey, Progressive, CMYKAdobe, CMYKPlain, YCCK };

inline const char *JPEGKindName(JPEGKind kind)
{
    static const char *const names[] = {"colour", "grey", "progressive", "cmyk_adobe", "cmyk_plain", "ycck"};
    return names[int(kind)];
}

inline void PrintTo(JPEGKind kind, std::ostream *out)
{
    *out << JPEGKindName(kind);
}

// Encodes a BGR888 picture with libjpeg. The four-channel kinds take the
// inks from InkOf (below); Adobe and YCCK files store them inverted behind an
// Adobe marker as Photoshop does, plain files store them as they are.
QByteArray EncodeJPEG(const QImage &picture, JPEGKind kind, int quality = 90);

// The inks (c, m, y, k) of a pixel of a picture for the four-channel kinds,
// and the colour they stand for: (255 - c) * (255 - k) / 255 and so on.
void InkOf(QRgb rgb, uint8_t ink[4]);
QRgb ColourOfInk(const uint8_t ink[4]);
