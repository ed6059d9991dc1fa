#pragma once

#include "imaging/decoders/Decoder.h"

// Run-length packing of Alias/Wavefront RLA channels: a signed header
// h >= 0 repeats the next byte h + 1 times, a negative one is followed by -h
// literal bytes (the opposite sense of PackBits). Works through every packed
// byte; the source is left where it was.
class TRLADecoder : public TDecoder
{
public:
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
