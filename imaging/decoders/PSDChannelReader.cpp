#include "imaging/decoders/PSDChannelReader.h"

#include "imaging/decoders/LZ77Decoder.h"
#include "imaging/decoders/PackbitsRLEDecoder.h"

#include <zlib.h>

#include <array>
#include <cstring>

namespace {

// 16-bit sample to 8 bits: 256 equal steps of 257 values each.
const std::array<uint8_t, 65536> &SixteenToEight()
{
    static const std::array<uint8_t, 65536> table = [] {
        std::array<uint8_t, 65536> t{};
        for (uint32_t v = 0; v < 65536; ++v)
            t[v] = uint8_t(v / 257);
        return t;
    }();
    return table;
}

} // namespace

PSDChannelReader::PSDChannelReader(ByteReader data, PSDCompression compression, const PSDImageLayout &layout)
    : m_data(data), m_compression(compression), m_layout(layout),
      m_fileRowBytes((size_t(layout.width) * size_t(layout.depth) + 7) / 8)
{
}

size_t PSDChannelReader::PlaneRowBytes() const
{
    return m_layout.depth == 1 ? m_fileRowBytes : size_t(m_layout.width);
}

void PSDChannelReader::StoreRow(const uint8_t *row, uint8_t *plane) const
{
    if (m_layout.depth != 16) {
        std::memcpy(plane, row, m_fileRowBytes);
        return;
    }
    const std::array<uint8_t, 65536> &scale = SixteenToEight();
    for (int x = 0; x < m_layout.width; ++x)
        plane[x] = scale[size_t(row[2 * x]) << 8 | row[2 * x + 1]];
}

std::vector<std::vector<uint8_t>> PSDChannelReader::ReadPlanes(int count)
{
    const size_t rows = size_t(m_layout.height);
    // Everything a channel needs must be in the file before its plane is
    // allocated: raw rows in full, the whole table of PackBits row sizes,
    // and for zlib at least a stream header.
    switch (m_compression) {
    case PSDCompression::Raw:
        if (m_data.Remaining() / m_fileRowBytes / rows < size_t(count))
            throw EReadError();
        break;
    case PSDCompression::RLE: {
        const size_t entry = m_layout.largeDocument ? 4 : 2;
        if (m_data.Remaining() / entry / rows < size_t(m_layout.channels))
            throw EReadError();
        // A PackBits packet of two bytes gives at most 128: rows packed
        // into less than that cannot fill the planes.
        const size_t leastRow = 2 * ((m_fileRowBytes + 127) / 128);
        const size_t rowData = m_data.Remaining() - size_t(m_layout.channels) * rows * entry;
        if (rowData / leastRow / rows < size_t(count))
            throw EReadError();
        break;
    }
    default:
        // Deflate makes at most 1032 bytes of one.
        if (m_data.Remaining() < 2 || m_data.Remaining() * 1032 / m_fileRowBytes / rows < size_t(count))
            throw EReadError();
        break;
    }

    std::vector<std::vector<uint8_t>> planes;
    planes.resize(size_t(count));
    for (std::vector<uint8_t> &plane : planes)
        plane.resize(PlaneRowBytes() * rows);
    switch (m_compression) {
    case PSDCompression::Raw:
        ReadRaw(planes);
        break;
    case PSDCompression::RLE:
        ReadRLE(planes);
        break;
    default:
        ReadZip(planes);
        break;
    }
    return planes;
}

void PSDChannelReader::ReadRaw(std::vector<std::vector<uint8_t>> &planes)
{
    const size_t rows = size_t(m_layout.height);
    for (std::vector<uint8_t> &plane : planes)
        for (size_t y = 0; y < rows; ++y)
            StoreRow(m_data.Bytes(m_fileRowBytes).data(), plane.data() + y * PlaneRowBytes());
}

void PSDChannelReader::ReadRLE(std::vector<std::vector<uint8_t>> &planes)
{
    const size_t rows = size_t(m_layout.height);
    const size_t entry = m_layout.largeDocument ? 4 : 2;
    ByteReader table = m_data.Sub(m_data.Position(), size_t(m_layout.channels) * rows * entry);
    // Rows lie one after the other behind the table, in table order; each
    // row is found through the sizes, so one that packs to more or less than
    // its width leaves the others in place.
    size_t offset = m_data.Position() + table.Size();
    std::vector<uint8_t> row(m_fileRowBytes);
    TPackbitsRLEDecoder decoder;
    decoder.Start();
    for (std::vector<uint8_t> &plane : planes) {
        for (size_t y = 0; y < rows; ++y) {
            const size_t packedSize = entry == 4 ? table.U32BE() : table.U16BE();
            std::span<const uint8_t> packed = m_data.Sub(offset, packedSize).Rest();
            offset += packedSize;
            const size_t written = decoder.Decode(packed, row, m_fileRowBytes);
            if (written < m_fileRowBytes)
                std::memset(row.data() + written, 0, m_fileRowBytes - written);
            StoreRow(row.data(), plane.data() + y * PlaneRowBytes());
        }
    }
    decoder.Finish();
}

void PSDChannelReader::ReadZip(std::vector<std::vector<uint8_t>> &planes)
{
    const size_t rows = size_t(m_layout.height);
    std::vector<uint8_t> row(m_fileRowBytes);
    std::span<const uint8_t> source = m_data.Rest();
    TLZ77Decoder decoder(Z_NO_FLUSH, false);
    decoder.Start();
    for (std::vector<uint8_t> &plane : planes) {
        for (size_t y = 0; y < rows; ++y) {
            if (decoder.Decode(source, row, m_fileRowBytes) < m_fileRowBytes) {
                if (decoder.DataError())
                    decoder.Finish();
                throw EReadError();
            }
            if (m_compression == PSDCompression::ZipPredicted) {
                // Each sample is stored as its difference from the one to
                // its left (16-bit samples as big-endian words).
                if (m_layout.depth == 16) {
                    for (size_t x = 2; x + 1 < m_fileRowBytes; x += 2) {
                        const unsigned sum = (unsigned(row[x - 2]) << 8 | row[x - 1]) + (unsigned(row[x]) << 8 | row[x + 1]);
                        row[x] = uint8_t(sum >> 8), row[x + 1] = uint8_t(sum);
                    }
                } else if (m_layout.depth == 8) {
                    for (size_t x = 1; x < m_fileRowBytes; ++x)
                        row[x] = uint8_t(row[x] + row[x - 1]);
                }
            }
            StoreRow(row.data(), plane.data() + y * PlaneRowBytes());
        }
    }
    // The zlib stream may go on with channels that are not needed.
}
