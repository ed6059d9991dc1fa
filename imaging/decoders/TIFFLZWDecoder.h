#pragma once

#include "imaging/decoders/Decoder.h"

#include <array>

// TIFF's LZW (compression 5): codes most significant bit first, 9 to 12
// bits wide, clear 256, end 257, first free index 258, and a width that
// grows as soon as the free index reaches 2^width - 1 (one code earlier than
// GIF). Every call decodes one strip or tile from a fresh table; the end code
// ends it. Codes above the free index are skipped, and once all 4096 entries
// are in use no entry is added. Source is left unchanged.
class TTIFFLZWDecoder : public TDecoder
{
public:
    TTIFFLZWDecoder();
    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

private:
    static constexpr int kTableSize = 4096;
    // Each entry is its prefix code and final byte; its length and first
    // byte are kept too, so that a string is written straight into place
    // from its end back to its start.
    std::array<uint16_t, kTableSize> m_prefix{};
    std::array<uint16_t, kTableSize> m_length{};
    std::array<uint8_t, kTableSize> m_suffix{};
    std::array<uint8_t, kTableSize> m_first{};
};
