#pragma once

#include "imaging/decoders/Decoder.h"

// LZW unpacking of GIF image data: codes packed least significant bit first,
// clear and end codes 2^s and 2^s + 1 for the initial code size s, the code
// width growing from s + 1 to 12 bits once the entry just below the next
// power of two has been added. The end code and codes beyond the next free
// table index are passed over; a full table (4096 entries) adds no entry.
// The unpacked count is checked between packed bytes only, so the codes of
// the last byte are written in full as far as dest reaches.
class TGIFLZWDecoder : public TDecoder
{
public:
    // initialCodeSize is the minimum code size of the GIF image (1 to 8);
    // any other value unpacks nothing.
    explicit TGIFLZWDecoder(int initialCodeSize) : m_initialCodeSize(initialCodeSize) {}

    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    int m_initialCodeSize;
};
