#pragma once

#include "imaging/decoders/Decoder.h"

// SGI run-length rows: a header (a byte, or a big-endian word for 16-bit
// samples) with count n = header and 127; n = 0 ends the row; bit 7 set
// copies n literal samples, clear repeats the next sample n times. Samples
// keep the file's byte order. Packets are cut at the end of dest (and at the
// unpacked count, in bytes); source is left unchanged.
class TSGIRLEDecoder : public TDecoder
{
public:
    // sampleBits: 8 or 16; any other size unpacks nothing.
    explicit TSGIRLEDecoder(int sampleBits) : m_sampleBits(sampleBits) {}

    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    int m_sampleBits;
};
