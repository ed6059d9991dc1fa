#include "imaging/decoders/TIFFDirectory.h"

#include "imaging/decoders/DecoderGraphic.h"

namespace {

// Bytes per value of each field type (0 for types this reader does not know).
unsigned TypeSize(uint16_t type)
{
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;    // BYTE, ASCII, SBYTE, UNDEFINED
    case 3: case 8: return 2;                    // SHORT, SSHORT
    case 4: case 9: case 11: case 13: return 4;  // LONG, SLONG, FLOAT, IFD
    case 5: case 10: case 12: return 8;          // RATIONAL, SRATIONAL, DOUBLE
    default: return 0;
    }
}

// No real directory has more fields than this; a larger count is damage.
constexpr unsigned kMaxEntries = 4096;

} // namespace

TIFFDirectory::TIFFDirectory(std::span<const uint8_t> file, const char *formatName)
    : m_file(file), m_formatName(formatName)
{
    if (file.size() < 8)
        TDecoderGraphic::FormatError(m_formatName);
    if (file[0] == 'I' && file[1] == 'I')
        m_bigEndian = false;
    else if (file[0] == 'M' && file[1] == 'M')
        m_bigEndian = true;
    else
        TDecoderGraphic::FormatError(m_formatName);
    if (Read(2, 3) != 42)
        TDecoderGraphic::FormatError(m_formatName); // 43 is BigTIFF, which this reader does not take
    const uint32_t offset = Read(4, 4);
    if (offset < 8)
        TDecoderGraphic::FormatError(m_formatName);

    ByteReader ifd = m_file;
    ifd.Seek(offset);
    const unsigned count = m_bigEndian ? ifd.U16BE() : ifd.U16LE();
    if (count == 0 || count > kMaxEntries)
        TDecoderGraphic::FormatError(m_formatName);
    ifd.Skip(size_t(count) * 12); // the whole directory must be there
    for (unsigned i = 0; i < count; ++i) {
        const size_t at = offset + 2 + size_t(i) * 12;
        const uint16_t tag = uint16_t(Read(at, 3));
        const uint16_t type = uint16_t(Read(at + 2, 3));
        const uint32_t valueCount = Read(at + 4, 4);
        const unsigned size = TypeSize(type);
        if (size == 0 || m_entries.count(tag))
            continue; // unknown types are skipped; the first of a repeated tag counts
        const uint64_t bytes = uint64_t(valueCount) * size;
        const size_t position = bytes <= 4 ? at + 8 : Read(at + 8, 4);
        m_entries[tag] = Entry{type, valueCount, position};
    }
}

uint32_t TIFFDirectory::Read(size_t position, uint16_t type) const
{
    ByteReader reader = m_file;
    reader.Seek(position);
    switch (type) {
    case 1: case 2: case 6: case 7:
        return reader.U8();
    case 3: case 8:
        return m_bigEndian ? reader.U16BE() : reader.U16LE();
    default:
        return m_bigEndian ? reader.U32BE() : reader.U32LE();
    }
}

uint32_t TIFFDirectory::Count(uint16_t tag) const
{
    const auto found = m_entries.find(tag);
    return found == m_entries.end() ? 0 : found->second.count;
}

uint32_t TIFFDirectory::Value(uint16_t tag, uint32_t defaultValue) const
{
    const auto found = m_entries.find(tag);
    if (found == m_entries.end() || found->second.count == 0)
        return defaultValue;
    const Entry &entry = found->second;
    if (TypeSize(entry.type) > 4)
        TDecoderGraphic::FormatError(m_formatName);
    return Read(entry.position, entry.type);
}

std::vector<uint32_t> TIFFDirectory::Values(uint16_t tag) const
{
    const auto found = m_entries.find(tag);
    if (found == m_entries.end())
        return {};
    const Entry &entry = found->second;
    const unsigned size = TypeSize(entry.type);
    if (size > 4)
        TDecoderGraphic::FormatError(m_formatName);
    // The values must lie inside the file before anything is allocated.
    ByteReader values = m_file.Sub(entry.position, size_t(entry.count) * size);
    std::vector<uint32_t> result(entry.count);
    for (uint32_t i = 0; i < entry.count; ++i) {
        switch (size) {
        case 1:
            result[i] = values.U8();
            break;
        case 2:
            result[i] = m_bigEndian ? values.U16BE() : values.U16LE();
            break;
        default:
            result[i] = m_bigEndian ? values.U32BE() : values.U32LE();
            break;
        }
    }
    return result;
}

std::span<const uint8_t> TIFFDirectory::Bytes(uint16_t tag) const
{
    const auto found = m_entries.find(tag);
    if (found == m_entries.end())
        return {};
    const Entry &entry = found->second;
    const size_t size = size_t(entry.count) * TypeSize(entry.type);
    return m_file.Sub(entry.position, size).Rest();
}
