#include "imaging/decoders/PNGChunkReader.h"

#include "common/VistranoError.h"

#include <QString>

#include <zlib.h>

namespace {

QString ChunkName(uint32_t type)
{
    QString name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char(type >> shift & 0xFF);
        name += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?');
    }
    return name;
}

} // namespace

PNGChunk PNGChunkReader::Next()
{
    const uint32_t length = m_reader.U32BE();
    PNGChunk chunk;
    chunk.type = m_reader.U32BE();
    if (length > 0x7FFFFFFFu)
        throw EInvalidGraphic(QStringLiteral("Cannot load image. The PNG file is damaged: chunk %1 has an impossible length.")
                                  .arg(ChunkName(chunk.type)));
    const std::span<const uint8_t> typeAndData(m_reader.Data() + m_reader.Position() - 4, size_t(length) + 4);
    chunk.data = m_reader.Bytes(length);
    const uint32_t stored = m_reader.U32BE();
    uLong crc = crc32(0L, Z_NULL, 0);
    // crc32 takes at most 4 GiB at a time; chunks are below 2 GiB.
    crc = crc32(crc, typeAndData.data(), uInt(typeAndData.size()));
    if (uint32_t(crc) != stored)
        throw EInvalidGraphic(QStringLiteral("Cannot load image. The PNG file is damaged: CRC error in chunk %1.")
                                  .arg(ChunkName(chunk.type)));
    return chunk;
}
