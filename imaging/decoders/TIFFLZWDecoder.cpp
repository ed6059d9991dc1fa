#include "imaging/decoders/TIFFLZWDecoder.h"

#include <algorithm>

namespace {

constexpr unsigned kClearCode = 256;
constexpr unsigned kEndCode = 257;
constexpr unsigned kFirstFree = 258;
constexpr unsigned kNoCode = 0xFFFF;

} // namespace

TTIFFLZWDecoder::TTIFFLZWDecoder()
{
    for (unsigned i = 0; i < 256; ++i) {
        m_prefix[i] = kNoCode;
        m_length[i] = 1;
        m_suffix[i] = uint8_t(i);
        m_first[i] = uint8_t(i);
    }
}

size_t TTIFFLZWDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    uint8_t *const outStart = dest.data();
    uint8_t *const outEnd = outStart + dest.size();
    uint8_t *out = outStart;
    const size_t wanted = unpackedCount;

    unsigned width = 9;
    unsigned freeIndex = kFirstFree;
    unsigned previous = kNoCode;
    uint32_t bits = 0;
    unsigned bitCount = 0;

    for (const uint8_t byte : source) {
        bits = (bits << 8) | byte;
        bitCount += 8;
        while (bitCount >= width) {
            bitCount -= width;
            const unsigned code = (bits >> bitCount) & ((1u << width) - 1);
            if (code == kClearCode) {
                width = 9;
                freeIndex = kFirstFree;
                previous = kNoCode;
                continue;
            }
            if (code == kEndCode)
                return size_t(out - outStart);
            if (code > freeIndex)
                continue; // invalid: skipped, the table stays as it is
            if (previous == kNoCode) {
                if (code >= 256)
                    continue; // nothing to refer to since the last clear
                if (out < outEnd)
                    *out++ = uint8_t(code);
                previous = code;
                continue;
            }
            if (freeIndex < unsigned(kTableSize)) {
                // The code equal to the free index stands for the previous
                // string plus its own first byte; the entry added is the same
                // for both cases, so add it first and write the code's string.
                const uint8_t firstByte = code < freeIndex ? m_first[code] : m_first[previous];
                m_prefix[freeIndex] = uint16_t(previous);
                m_suffix[freeIndex] = firstByte;
                m_first[freeIndex] = m_first[previous];
                m_length[freeIndex] = uint16_t(m_length[previous] + 1);
                ++freeIndex;
                if (freeIndex == (1u << width) - 1 && width < 12)
                    ++width;
            }
            // Write the string from its end back to its start; the part
            // that would pass the end of the destination is dropped.
            const size_t length = m_length[code];
            const size_t room = size_t(outEnd - out);
            unsigned entry = code;
            for (size_t i = length; i > room; --i)
                entry = m_prefix[entry];
            for (size_t i = std::min(length, room); i > 0; --i) {
                out[i - 1] = m_suffix[entry];
                entry = m_prefix[entry];
            }
            out += std::min(length, room);
            previous = code;
        }
        if (size_t(out - outStart) >= wanted || out == outEnd)
            break;
    }
    return size_t(out - outStart);
}
