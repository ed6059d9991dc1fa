#pragma once

#include "imaging/decoders/Decoder.h"

#include <vector>

// Common base of the fax (CCITT) members. It reads the run-length codes of
// ITU-T T.4 and the two-dimensional mode codes of T.4/T.6 and writes rows of
// one bit per pixel, most significant bit first, rows byte-aligned: runs of
// the code's "white" as 0 bits and of its "black" as 1 bits (what that
// means on screen is the picture's photometric interpretation). Each Decode
// call is one strip: it starts on an all-white reference line and writes as
// many whole rows as fit into the unpacked count. A row with a bad code is
// kept as far as it was decoded.
class TCCITTDecoder : public TDecoder
{
public:
    explicit TCCITTDecoder(uint32_t width);

protected:
    // Reads packed bits most significant bit first; past the end it gives
    // zero bits and reports Exhausted.
    class BitReader
    {
    public:
        explicit BitReader(std::span<const uint8_t> data) : m_data(data.data()), m_bits(data.size() * 8) {}
        uint32_t Peek(unsigned count) const;
        void Skip(unsigned count) { m_pos += count; }
        bool Exhausted() const { return m_pos >= m_bits; }
        void AlignToByte() { m_pos = (m_pos + 7) & ~size_t(7); }
        // Number of zero bits from the current position (up to the end).
        size_t ZeroRun() const;
        // Moves past any EOL codes (eleven or more zeros and a one, so fill
        // bits are taken too); true when at least one was there.
        bool SkipEOLs();
        // Moves to the start of the next EOL; false (and exhausted) if none.
        bool FindEOL();

    private:
        const uint8_t *m_data;
        size_t m_bits;
        size_t m_pos = 0;
    };

    // One row of changing elements: the positions where the colour changes,
    // starting from white; the list of a finished row ends with sentinels
    // so that it serves as the next row's reference line.
    using Changes = std::vector<uint32_t>;

    bool DecodeRow1D(BitReader &reader, Changes &row) const;
    bool DecodeRow2D(BitReader &reader, const Changes &reference, Changes &row) const;
    void ResetReference(Changes &reference) const;
    void FinishRow(Changes &row) const;
    // Writes a row of bits for the changes into dest (rowBytes bytes).
    void WriteRow(const Changes &row, uint8_t *dest) const;

    size_t RowBytes() const { return (size_t(m_width) + 7) / 8; }
    // Whole rows that fit into the call's unpacked count and destination.
    size_t RowsWanted(std::span<uint8_t> dest, size_t unpackedCount) const;

    uint32_t m_width;

private:
    // A run of one colour: make-up codes and a terminating code; -1 for a
    // code that is not in the table.
    int64_t ReadRun(BitReader &reader, bool white) const;
    void Push(Changes &row, uint32_t position) const;
    bool Damaged(Changes &row) const;
};
