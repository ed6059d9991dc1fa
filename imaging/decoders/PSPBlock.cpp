#include "imaging/decoders/PSPBlock.h"

#include <cstring>

bool AtPSPBlock(const ByteReader &reader)
{
    return reader.Remaining() >= 4 && std::memcmp(reader.Rest().data(), "~BK\0", 4) == 0;
}

std::optional<PSPBlock> ReadPSPBlock(ByteReader &reader, int majorVersion)
{
    if (!AtPSPBlock(reader))
        return std::nullopt;
    ByteReader header = reader.Sub(reader.Position(), majorVersion <= 3 ? 14 : 10);
    header.Skip(4);
    PSPBlock block;
    block.id = header.U16LE();
    if (majorVersion <= 3)
        block.initialChunkLength = header.U32LE();
    const uint32_t total = header.U32LE();
    reader.Skip(header.Size());
    block.body = reader.Sub(reader.Position(), total);
    reader.Skip(total);
    return block;
}
