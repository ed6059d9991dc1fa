#pragma once

#include "imaging/decoders/Decoder.h"

// PackBits run-length coding (TIFF compression 32773, Photoshop): a signed
// header byte h; h >= 0 copies h + 1 literal bytes, h = -128 is a no-op, any
// other h repeats the next byte 1 - h times. Stops when the bytes wanted are
// written or the packed bytes are used up; source is left unchanged.
class TPackbitsRLEDecoder : public TDecoder
{
public:
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
