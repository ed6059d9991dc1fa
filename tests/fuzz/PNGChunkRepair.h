#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

// Recomputes the CRC of every whole chunk of a PNG file, so that mutated
// input gets past the CRC checks to the code behind them.
inline void RepairPNGChunkCRCs(std::vector<uint8_t> &file)
{
    const auto bigEndian32 = [](const uint8_t *p) {
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    };
    size_t pos = 8;
    while (pos + 12 <= file.size()) {
        const uint32_t length = bigEndian32(file.data() + pos);
        if (length > file.size() - pos - 12)
            return;
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), file.data() + pos + 4, uInt(length + 4));
        uint8_t *stored = file.data() + pos + 8 + length;
        for (int i = 0; i < 4; ++i)
            stored[i] = uint8_t(crc >> (24 - 8 * i));
        pos += 12 + size_t(length);
    }
}
