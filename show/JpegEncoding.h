#pragma once

#include <QByteArray>
#include <QImage>

// Encodes a bitmap as a baseline JFIF file with libjpeg-turbo: the library's
// defaults (4:2:0 chroma, standard Huffman tables), then the floating-point
// DCT, then the quality (1 to 100) with table entries limited to baseline.
// Rows go top row first, with red, green and blue in their own roles whatever
// the bitmap's byte order. Fails with EInvalidGraphic on an empty bitmap.
QByteArray EncodeJpeg(const QImage &bitmap, int quality);
