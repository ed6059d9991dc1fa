#pragma once

#include "imaging/decoders/PSPBlock.h"

#include <cstdint>
#include <optional>
#include <vector>

// One channel block of a Paint Shop Pro layer or composite: which plane it
// is, and its data unpacked to rows. A plane of `rows` rows whose rows are
// `rowBytes` long (packed, most significant bits first, for 1 and 4 bits)
// may be stored with its rows padded to 4 bytes; the stored lengths tell.
struct PSPChannel
{
    uint16_t bitmapType = 0;  // 0 image, 1 transparency mask, 8 composite, 9 its transparency, ...
    uint16_t channelType = 0; // 0 index or grey, 1 red, 2 green, 3 blue
    size_t stride = 0;        // bytes from one row to the next in `data`
    std::vector<uint8_t> data;
};

enum class PSPCompression : uint16_t { None = 0, RLE = 1, LZ77 = 2 };

// Reads the channel's description only (no data).
struct PSPChannelInfo
{
    uint32_t compressedLength = 0;
    uint32_t uncompressedLength = 0;
    uint16_t bitmapType = 0;
    uint16_t channelType = 0;
    ByteReader packed;
};
PSPChannelInfo ReadPSPChannelInfo(const PSPBlock &block, int majorVersion);

// Unpacks a channel whose plane has `rows` rows of `rowBytes`. Nothing when
// its stored length fits neither row layout (nothing is allocated then);
// "Stream read error" when its packed data runs past the block or unpacks to
// less than the plane; "LZ77 decompression error." on damaged zlib data.
std::optional<PSPChannel> ReadPSPChannel(const PSPChannelInfo &info, PSPCompression compression, size_t rows,
                                         size_t rowBytes);
