#pragma once

#include "imaging/decoders/ByteReader.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

// The first image file directory of a TIFF structure (a TIFF file, the
// preview inside an EPS file, the EXIF block of a JPEG file): its fields by
// tag, read in the structure's byte order. Values are read on demand, each
// checked against the data before anything is allocated for it.
class TIFFDirectory
{
public:
    // Reads the 8-byte header and the first directory. Fails with the
    // family's format message (formatName in it) for anything that is not a
    // classic TIFF header, and with "Stream read error" when the directory
    // lies outside the data.
    TIFFDirectory(std::span<const uint8_t> file, const char *formatName);

    bool Has(uint16_t tag) const { return m_entries.count(tag) != 0; }
    // The first value of an integer field, or the default when it is absent.
    uint32_t Value(uint16_t tag, uint32_t defaultValue) const;
    // All values of an integer field (BYTE, SHORT, LONG and their signed
    // forms); empty when absent.
    std::vector<uint32_t> Values(uint16_t tag) const;
    // The raw bytes of a field (for JPEGTables); empty when absent.
    std::span<const uint8_t> Bytes(uint16_t tag) const;
    uint32_t Count(uint16_t tag) const;
    bool BigEndian() const { return m_bigEndian; }

private:
    struct Entry
    {
        uint16_t type;
        uint32_t count;
        size_t position; // of the value in the file
    };

    uint32_t Read(size_t position, uint16_t type) const;

    ByteReader m_file;
    bool m_bigEndian = false;
    const char *m_formatName;
    std::map<uint16_t, Entry> m_entries;
};
