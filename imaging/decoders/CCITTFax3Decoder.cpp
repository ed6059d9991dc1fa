#include "imaging/decoders/CCITTFax3Decoder.h"

TCCITTFax3Decoder::TCCITTFax3Decoder(uint32_t width, uint32_t t4Options)
    : TCCITTDecoder(width), m_twoDimensional(t4Options & 1)
{
}

size_t TCCITTFax3Decoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t rows = RowsWanted(dest, unpackedCount);
    BitReader reader(source);
    Changes reference, row;
    ResetReference(reference);
    size_t done = 0;
    while (done < rows) {
        reader.SkipEOLs();
        if (reader.Exhausted())
            break;
        bool oneDimensional = true;
        if (m_twoDimensional) {
            oneDimensional = reader.Peek(1) != 0;
            reader.Skip(1);
        }
        const bool good = oneDimensional ? DecodeRow1D(reader, row) : DecodeRow2D(reader, reference, row);
        WriteRow(row, dest.data() + done * RowBytes());
        ++done;
        FinishRow(row);
        std::swap(reference, row);
        if (!good && !reader.FindEOL())
            break;
    }
    return done * RowBytes();
}
