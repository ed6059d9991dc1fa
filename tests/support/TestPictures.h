#pragma once

#include <QImage>

#include <cstdint>

// Deterministic test pictures: the same seed always gives the same picture.
// All of them draw from one seeded generator.

// A photo-like picture: a flat band over the left quarter (long runs for the
// run-length formats), gradients with noise elsewhere; odd sizes catch row
// padding faults. Made as RGB888 and handed back in the format asked for.
QImage MakeTestPicture(int width, int height, uint32_t seed, QImage::Format format = QImage::Format_RGB888);

// A picture of at most `colours` distinct colours, for palette formats. RGB888.
QImage MakeIndexedPicture(int width, int height, int colours, uint32_t seed);

// A bilevel picture (Format_Mono, 0 white) of runs of every length up to the
// full width, rows much like the row above and rows that start black, for the
// fax codes' terminating, make-up and extended make-up codes and 2-D coding.
QImage TestBilevelPicture(int width, int height, uint32_t seed);

// A BGR888 picture of random bytes (or, with extremes, of bytes that are
// each 0 or 255, which drive filters with negative lobes past the ends).
QImage RandomPicture(int width, int height, uint32_t seed, bool extremes = false);

// The peak signal-to-noise ratio of two pictures of one size over their red,
// green and blue samples, in decibels (higher is closer; 99 for equal
// pictures, 0 for pictures of different sizes).
double PicturePsnr(const QImage &a, const QImage &b);
