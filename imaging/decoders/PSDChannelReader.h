#pragma once

#include "imaging/decoders/ByteReader.h"

#include <cstdint>
#include <vector>

// The merged image of a Photoshop file is stored channel after channel,
// each a plane of rows, raw, PackBits-packed (with a table of the packed
// size of every row of every channel in front) or zlib-compressed (with or
// without a delta predictor per row). This reads the first channels of it
// into 8-bit planes: 16-bit samples are scaled to 8 bits, 1-bit rows stay
// packed, most significant bit first.
struct PSDImageLayout
{
    int width = 0;
    int height = 0;
    int depth = 0;        // bits per sample: 1, 8 or 16
    int channels = 0;     // channels stored in the file
    bool largeDocument = false; // PSB: 4-byte row sizes in the PackBits table
};

enum class PSDCompression : uint16_t { Raw = 0, RLE = 1, Zip = 2, ZipPredicted = 3 };

class PSDChannelReader
{
public:
    // data: the image data section after its compression word.
    PSDChannelReader(ByteReader data, PSDCompression compression, const PSDImageLayout &layout);

    // Bytes of one plane row: the width for 8 and 16 bits, (width + 7) / 8
    // for 1 bit.
    size_t PlaneRowBytes() const;

    // Fails with "Stream read error" when the data (or the table of row
    // sizes) ends before the rows of the channels asked for, and with
    // "LZ77 decompression error." on damaged zlib data. Checks what it can
    // before it allocates. Raw and zlib rows that come out short fail; a
    // PackBits row that comes out short keeps zeros at its end.
    std::vector<std::vector<uint8_t>> ReadPlanes(int count);

private:
    void ReadRaw(std::vector<std::vector<uint8_t>> &planes);
    void ReadRLE(std::vector<std::vector<uint8_t>> &planes);
    void ReadZip(std::vector<std::vector<uint8_t>> &planes);
    // Brings one stored row (fileRowBytes) to a plane row.
    void StoreRow(const uint8_t *row, uint8_t *plane) const;

    ByteReader m_data;
    PSDCompression m_compression;
    PSDImageLayout m_layout;
    size_t m_fileRowBytes;
};
