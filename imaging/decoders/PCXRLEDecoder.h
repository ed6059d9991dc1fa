#pragma once

#include "imaging/decoders/Decoder.h"

// ZSoft PCX run-length bytes: a byte with both top bits set repeats the next
// byte (b and 63) times, any other byte stands for itself. Runs are cut at
// the bytes wanted; source is left unchanged.
class TPCXRLEDecoder : public TDecoder
{
public:
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
