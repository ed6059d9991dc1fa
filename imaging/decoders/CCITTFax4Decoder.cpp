#include "imaging/decoders/CCITTFax4Decoder.h"

TCCITTFax4Decoder::TCCITTFax4Decoder(uint32_t width) : TCCITTDecoder(width) {}

size_t TCCITTFax4Decoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t rows = RowsWanted(dest, unpackedCount);
    BitReader reader(source);
    Changes reference, row;
    ResetReference(reference);
    size_t done = 0;
    while (done < rows && !reader.Exhausted()) {
        const bool good = DecodeRow2D(reader, reference, row);
        if (!good && row.empty())
            break;
        WriteRow(row, dest.data() + done * RowBytes());
        ++done;
        if (!good)
            break;
        FinishRow(row);
        std::swap(reference, row);
    }
    return done * RowBytes();
}
