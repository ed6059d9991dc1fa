#pragma once

#include "imaging/decoders/ByteReader.h"

#include <cstdint>
#include <optional>

// One block of a Paint Shop Pro file: "~BK\0", a 16-bit id, (in format 3
// only) the length of its first chunk, and the length of everything that
// follows the header. Blocks nest; a block's body is a reader over exactly
// its own bytes.
struct PSPBlock
{
    uint16_t id = 0;
    uint32_t initialChunkLength = 0; // format 3 only
    ByteReader body;
};

// True when the next four bytes of the reader are a block marker.
bool AtPSPBlock(const ByteReader &reader);

// Reads the block at the reader's position and moves the reader past it.
// Nothing when there is no block marker there (the reader stays); "Stream
// read error" when the block runs past the reader's end.
std::optional<PSPBlock> ReadPSPBlock(ByteReader &reader, int majorVersion);

// Block ids.
enum PSPBlockId : uint16_t {
    PSPIdImageAttributes = 0,
    PSPIdColorPalette = 2,
    PSPIdLayerBank = 3,
    PSPIdLayer = 4,
    PSPIdChannel = 5,
    PSPIdCompositeImage = 9,
    PSPIdCompositeImageBank = 16,
    PSPIdCompositeAttributes = 17,
};
