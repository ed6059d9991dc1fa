#pragma once

#include "imaging/decoders/Decoder.h"

// Run-length packing of Paint Shop Pro channels: a header below 128 is a
// count of literal bytes that follow, a header h from 128 up repeats the
// next byte h - 128 times. Works through every packed byte; the source is
// left where it was.
class TPSPRLEDecoder : public TDecoder
{
public:
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
