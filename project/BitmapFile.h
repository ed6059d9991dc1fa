#pragma once

#include <QByteArray>
#include <QImage>

// A complete Windows BMP file of a bitmap: the 14-byte file header, the
// 40-byte info header and the pixel rows bottom-up, 24 bits per pixel,
// each row padded with zeros to a multiple of 4 bytes. An empty bitmap
// gives no bytes.
QByteArray EncodeBitmapFile(const QImage &bitmap);
// The same bytes appended to `out`, and their count.
void AppendBitmapFile(QByteArray &out, const QImage &bitmap);
qsizetype BitmapFileSize(const QImage &bitmap);

// Decodes a BMP file of any common kind (1, 4, 8, 16, 24 or 32 bits, bit
// fields, RLE, top-down) to a 24-bit bitmap (Format_BGR888), through the
// framework bitmap reader, with its messages ("Bitmap image is not valid",
// "Stream read error" for rows that end early).
QImage DecodeBitmapFile(const QByteArray &file);
