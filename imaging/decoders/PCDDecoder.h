#pragma once

#include "imaging/decoders/Decoder.h"

// The unpacking step of the Kodak Photo-CD decoder. The resolutions up to
// Base are stored uncompressed as PhotoYCC in groups of two luma rows
// followed by one row each of the two chroma components at half width and
// half height. Decode turns such groups into rows of full-resolution
// (Y, C1, C2) byte triples, interpolating chroma linearly between samples
// that sit on the even luma pixels; colour conversion is the caller's job.
// The source must hold whole groups of 3 x width bytes; unpackedCount counts
// output bytes (3 x width per row). The source is left where it was.
class TPCDDecoder : public TDecoder
{
public:
    explicit TPCDDecoder(int width) : m_width(width) {}

    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    int m_width;
};
