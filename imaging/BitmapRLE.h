#pragma once

#include <QImage>

#include <cstdint>
#include <span>

// Unpacks run-length encoded bitmap data (RLE8 with 8 bits, RLE4 with 4 bits
// per pixel) into an Indexed8 bitmap whose pixels are already 0. Runs and
// literal groups are cut at the right edge, deltas and line ends move the
// position, and the data may end without an end-of-bitmap code: the pixels
// never reached keep colour index 0. rowsUpward: the first coded row is the
// bottom row (the usual layout).
void UnpackBitmapRLE(std::span<const uint8_t> packed, int bitCount, bool rowsUpward, QImage &bitmap);
