#pragma once

#include <cstdint>
#include <span>

// The Orientation field (tag 274) of an EXIF block: the payload of a JPEG
// APP1 segment, "Exif" and two zero bytes followed by a TIFF structure whose
// first directory holds the field. 1 (stored upright) when the block is not
// EXIF, has no such field, holds a value outside 1..8 or is damaged: a
// camera's damaged metadata never costs the user the picture.
int ExifOrientation(std::span<const uint8_t> app1Payload);

// The same field of a WebP file's EXIF chunk, which holds the TIFF structure
// itself; a chunk that begins with "Exif" and two zero bytes, as some
// writers make it, is read too.
int ExifChunkOrientation(std::span<const uint8_t> chunk);

// The quarter turn, in degrees clockwise (0, 90, 180 or 270), that stands
// stored pixels of an orientation upright. The mirrored orientations are
// rare (front cameras of a few phones): each is its unmirrored neighbour's
// turn followed by a left-right mirror, so it gets that turn and the mirror
// is not applied: the picture stands upright, mirrored. 2 gives 0 as 1 does,
// 4 gives 180 as 3, 5 gives 90 as 6, 7 gives 270 as 8.
int OrientationTurn(int orientation);
