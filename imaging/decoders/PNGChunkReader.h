#pragma once

#include "imaging/decoders/ByteReader.h"

#include <cstdint>
#include <span>

// Chunk types as their four letters read big-endian.
constexpr uint32_t PNGChunkType(const char (&name)[5])
{
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 | uint32_t(uint8_t(name[2])) << 8
        | uint32_t(uint8_t(name[3]));
}

struct PNGChunk
{
    uint32_t type = 0;
    std::span<const uint8_t> data;

    // Critical chunks have an upper-case first letter.
    bool Critical() const { return !(type & 0x20000000u); }
};

// Walks the chunks of a PNG file after its signature: length, type, data and
// CRC, each chunk checked whole before it is handed out.
class PNGChunkReader
{
public:
    explicit PNGChunkReader(ByteReader &reader) : m_reader(reader) {}

    // The next chunk. Fails with "Stream read error" when the file ends
    // inside it and with a damaged-file message when its CRC is wrong or its
    // length is impossible.
    PNGChunk Next();

    bool AtEnd() const { return m_reader.AtEnd(); }

private:
    ByteReader &m_reader;
};
