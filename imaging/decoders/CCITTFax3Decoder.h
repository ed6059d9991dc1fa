#pragma once

#include "imaging/decoders/CCITTDecoder.h"

// CCITT group 3 fax (TIFF compression 3): rows start after EOL codes (with
// fill bits before them when the writer aligned them); with T4Options bit 0
// each EOL is followed by a tag bit, 1 for a one-dimensional row and 0 for a
// two-dimensional one. A damaged row ends at its bad code and decoding picks
// up again at the next EOL.
class TCCITTFax3Decoder : public TCCITTDecoder
{
public:
    // The T4Options bits: 1 two-dimensional coding, 4 fill bits.
    TCCITTFax3Decoder(uint32_t width, uint32_t t4Options);
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    bool m_twoDimensional;
};
