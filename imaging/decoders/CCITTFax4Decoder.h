#pragma once

#include "imaging/decoders/CCITTDecoder.h"

// CCITT group 4 fax (T.6, TIFF compression 4): every row two-dimensional,
// coded against the row above (an all-white line above the first), with no
// EOL codes. A bad code, or the end-of-block EOLs, ends the strip.
class TCCITTFax4Decoder : public TCCITTDecoder
{
public:
    explicit TCCITTFax4Decoder(uint32_t width);
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
