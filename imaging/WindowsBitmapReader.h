#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a whole Windows bitmap file: 1, 2, 4 and 8 bits with a colour
// table (Indexed8), 16 and 32 bits with the default layouts or bit fields
// (RGB32, or ARGB32 when the file has an alpha mask and uses it), 24 bits
// (BGR888), RLE8 and RLE4, rows stored bottom-up or top-down. Every size is
// checked against the file and the picture limits before anything is
// allocated; bad files fail with the header's messages, "Stream read error"
// for pixel data that ends early.
QImage ReadWindowsBitmap(const QByteArray &data);
