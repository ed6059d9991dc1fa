#pragma once

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

// Photo-like test files: JPEGs carrying an EXIF orientation, and the
// pictures a camera stores and a viewer shows for each orientation.

// The JPEG with an APP1 EXIF segment (behind SOI) whose first directory
// holds Orientation; in Motorola (big-endian) or Intel byte order.
QByteArray WithExifOrientation(const QByteArray &jpeg, int orientation, bool bigEndian = true);

// That segment's TIFF structure alone, as a WebP file's EXIF chunk holds it.
QByteArray ExifOrientationBlock(int orientation, bool bigEndian = true);

// The pixels a camera stores, with the tag, for a scene that stands upright
// as `upright`.
QImage StoredForOrientation(const QImage &upright, int orientation);

// What the program shows of those stored pixels: the scene upright, and
// mirrored left to right for the mirrored tags (2, 4, 5, 7), whose mirror
// is not applied.
QImage ShownForOrientation(const QImage &upright, int orientation);

// A picture whose four quadrants have different flat colours, so that every
// turn and mirror of it differs; RGB888.
QImage QuadrantPicture(int width, int height);

// Same size, and the same colour (within a JPEG's error) in the middle of
// each quadrant: whatever turn or mirror the pictures took, they agree.
::testing::AssertionResult SameQuadrants(const QImage &actual, const QImage &expected);
