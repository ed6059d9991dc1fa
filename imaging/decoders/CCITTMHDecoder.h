#pragma once

#include "imaging/decoders/CCITTDecoder.h"

// Modified Huffman (TIFF compression 2): one-dimensional rows of T.4 run
// codes without EOL codes, each row starting on a byte boundary. A bad code
// ends the strip, since nothing marks where the next row begins.
class TCCITTMHDecoder : public TCCITTDecoder
{
public:
    explicit TCCITTMHDecoder(uint32_t width);
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
