#pragma once

#include "imaging/decoders/Decoder.h"

// ThunderScan 4-bit grey (TIFF compression 32809). The top two bits of each
// byte choose: 00 repeats the last pixel (low 6 bits) times; 01 applies three
// 2-bit deltas (0, +1, skip, -1); 10 applies two 3-bit deltas (0..3, skip,
// -3, -2, -1); 11 sets the pixel to the low 4 bits. Pixels are packed two per
// byte, high nibble first, rows of (width + 1) / 2 bytes; the last pixel
// starts at 0 on every row. Source is left unchanged.
class TThunderDecoder : public TDecoder
{
public:
    explicit TThunderDecoder(uint32_t width);
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    uint32_t m_width;
};
