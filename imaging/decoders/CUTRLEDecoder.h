#pragma once

#include "imaging/decoders/Decoder.h"

// One row of a Dr. Halo CUT file: a 2-byte row length (skipped), then
// packets until a header byte 0. A header with bit 7 set repeats the next
// byte (h and 127) times, any other copies h literal bytes. The source is
// left behind the terminating 0, at the start of the next row, even when the
// packets wrote more than the destination holds.
class TCUTRLEDecoder : public TDecoder
{
public:
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
};
