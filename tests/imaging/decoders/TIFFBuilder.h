#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <set>
#include <vector>

// Writes small TIFF files by hand, for what no tool writes: hostile fields,
// truncated strips, ThunderScan data.
class TIFFBuilder
{
public:
    explicit TIFFBuilder(bool bigEndian = false) : m_bigEndian(bigEndian) {}

    // A SHORT (type 3) or LONG (type 4) field, or raw bytes (type 7).
    TIFFBuilder &Short(uint16_t tag, std::vector<uint32_t> values) { return Field(tag, 3, std::move(values)); }
    TIFFBuilder &Long(uint16_t tag, std::vector<uint32_t> values) { return Field(tag, 4, std::move(values)); }
    TIFFBuilder &Field(uint16_t tag, uint16_t type, std::vector<uint32_t> values);
    // Leaves the field out, the filled-in offsets and byte counts too.
    TIFFBuilder &Remove(uint16_t tag);

    // The strips (or tiles with tiled = true) as they go into the file; the
    // offsets and byte counts are filled in unless set explicitly.
    TIFFBuilder &Chunks(std::vector<QByteArray> chunks, bool tiled = false);

    // A minimal picture: width, height, bits, samples, photometric,
    // compression; one strip of the given data.
    static TIFFBuilder Picture(uint32_t width, uint32_t height, uint32_t bits, uint32_t samples, uint32_t photometric,
                               uint32_t compression, const QByteArray &data);

    QByteArray Build() const;

private:
    void Put16(QByteArray &out, uint32_t v) const;
    void Put32(QByteArray &out, uint32_t v) const;

    bool m_bigEndian;
    std::map<uint16_t, std::pair<uint16_t, std::vector<uint32_t>>> m_fields;
    std::vector<QByteArray> m_chunks;
    bool m_tiled = false;
    std::set<uint16_t> m_removed;
};
