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
// fields, RLE, top-down, the OS/2 header) to a 24-bit bitmap
// (Format_BGR888). The size in its header is checked against the picture
// limits and, for uncompressed rows, against the bytes that are there
// before anything is allocated. Fails with "Bitmap image is not valid".
QImage DecodeBitmapFile(const QByteArray &file);
