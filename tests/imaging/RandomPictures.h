#pragma once

#include <QImage>

#include <cstdint>

// A BGR888 picture of random bytes (or, with extremes, of bytes that are
// each 0 or 255, which drive filters with negative lobes past the ends).
QImage RandomPicture(int width, int height, uint32_t seed, bool extremes = false);
