#include "imaging/decoders/GIFLZWDecoder.h"

#include <array>

namespace {

constexpr unsigned kTableSize = 4096;
constexpr unsigned kMaxCodeWidth = 12;

// One dictionary: each entry is its prefix entry plus a final byte; the first
// byte and the length of its string are kept so that a string can be written
// back to front straight into the destination.
struct LZWTable
{
    std::array<uint16_t, kTableSize> prefix;
    std::array<uint16_t, kTableSize> length;
    std::array<uint8_t, kTableSize> suffix;
    std::array<uint8_t, kTableSize> first;
};

} // namespace

size_t TGIFLZWDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const int s = m_initialCodeSize;
    if (s < 1 || s > 8)
        return 0;
    const unsigned clearCode = 1u << s;
    const unsigned endCode = clearCode + 1;

    LZWTable table;
    for (unsigned i = 0; i < clearCode; ++i) {
        table.prefix[i] = 0;
        table.length[i] = 1;
        table.suffix[i] = uint8_t(i);
        table.first[i] = uint8_t(i);
    }

    uint8_t *const out = dest.data();
    const size_t limit = dest.size();
    size_t written = 0;

    // Writes the string of code, cut at the end of dest (its first part is
    // kept, as far as it fits).
    auto writeString = [&](unsigned code) {
        size_t length = table.length[code];
        const size_t room = limit - written;
        while (length > room) {
            code = table.prefix[code];
            --length;
        }
        uint8_t *p = out + written + length;
        for (size_t k = 0; k < length; ++k) {
            *--p = table.suffix[code];
            code = table.prefix[code];
        }
        written += length;
    };

    unsigned width = unsigned(s) + 1;   // 2 ..= 12
    unsigned freeIndex = clearCode + 2; // ..= 4096; 4096 means the table is full
    int previous = -1;
    uint32_t bits = 0;
    unsigned bitCount = 0;

    for (const uint8_t byte : source) {
        if (written >= unpackedCount || written >= limit)
            break;
        bits |= uint32_t(byte) << bitCount;
        bitCount += 8;
        while (bitCount >= width) {
            const unsigned code = bits & ((1u << width) - 1);
            bits >>= width;
            bitCount -= width;

            if (code == clearCode) {
                width = unsigned(s) + 1;
                freeIndex = clearCode + 2;
                previous = -1;
                continue;
            }
            if (code == endCode || code > freeIndex || (code == freeIndex && previous < 0))
                continue;
            if (previous < 0) {
                // After a clear code only the single bytes are in the table.
                if (written < limit)
                    out[written++] = table.suffix[code];
                previous = int(code);
                continue;
            }

            const unsigned prev = unsigned(previous);
            uint8_t firstByte;
            if (code < freeIndex) {
                writeString(code);
                firstByte = table.first[code];
            } else {
                // The code being defined right now: the previous string
                // followed by its own first byte.
                firstByte = table.first[prev];
                writeString(prev);
                if (written < limit)
                    out[written++] = firstByte;
            }

            if (freeIndex < kTableSize) {
                table.prefix[freeIndex] = uint16_t(prev);
                table.suffix[freeIndex] = firstByte;
                table.first[freeIndex] = table.first[prev];
                table.length[freeIndex] = uint16_t(table.length[prev] + 1);
                ++freeIndex;
                if (freeIndex == (1u << width) && width < kMaxCodeWidth)
                    ++width;
            }
            previous = int(code);
        }
    }
    return written;
}
