#pragma once

#include "imaging/decoders/Decoder.h"

// Truevision Targa run-length packets: a header byte h gives (h and 127) + 1
// pixels, a run of one pixel value when bit 7 is set, else that many literal
// pixel values. Packets may cross rows, so a picture is unpacked as one
// stream. The unpacked count is in pixels; source is left behind the packets
// used. A packet that runs past the pixels wanted is cut.
class TTargaRLEDecoder : public TDecoder
{
public:
    // depth in bits per pixel: 8, 15, 16, 24 or 32; any other depth unpacks
    // nothing.
    explicit TTargaRLEDecoder(int depth) : m_depth(depth) {}

    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    int m_depth;
};
