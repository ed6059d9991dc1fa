#include "imaging/decoders/PCXRLEDecoder.h"

#include <algorithm>
#include <cstring>

size_t TPCXRLEDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const uint8_t *in = source.data();
    const uint8_t *const inEnd = in + source.size();
    uint8_t *out = dest.data();
    uint8_t *const outEnd = out + std::min(unpackedCount, dest.size());

    while (out < outEnd && in < inEnd) {
        const uint8_t b = *in++;
        if (b < 192) {
            *out++ = b;
            continue;
        }
        if (in == inEnd)
            break;
        const size_t count = std::min(size_t(b & 63), size_t(outEnd - out));
        std::memset(out, *in++, count);
        out += count;
    }
    return size_t(out - dest.data());
}
