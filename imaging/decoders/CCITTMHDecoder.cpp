#include "imaging/decoders/CCITTMHDecoder.h"

TCCITTMHDecoder::TCCITTMHDecoder(uint32_t width) : TCCITTDecoder(width) {}

size_t TCCITTMHDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t rows = RowsWanted(dest, unpackedCount);
    BitReader reader(source);
    Changes row;
    size_t done = 0;
    while (done < rows && !reader.Exhausted()) {
        const bool good = DecodeRow1D(reader, row);
        WriteRow(row, dest.data() + done * RowBytes());
        ++done;
        if (!good)
            break;
        reader.AlignToByte();
    }
    return done * RowBytes();
}
