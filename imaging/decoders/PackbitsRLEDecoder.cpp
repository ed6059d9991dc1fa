#include "imaging/decoders/PackbitsRLEDecoder.h"

#include <algorithm>
#include <cstring>

size_t TPackbitsRLEDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const uint8_t *in = source.data();
    const uint8_t *inEnd = in + source.size();
    uint8_t *out = dest.data();
    size_t wanted = std::min(unpackedCount, dest.size());

    while (wanted > 0 && in < inEnd) {
        const int header = static_cast<int8_t>(*in++);
        if (header >= 0) {
            const size_t n = std::min({size_t(header) + 1, wanted, size_t(inEnd - in)});
            std::memcpy(out, in, n);
            in += n;
            out += n;
            wanted -= n;
        } else if (header != -128) {
            if (in == inEnd)
                break;
            const size_t n = std::min(size_t(1 - header), wanted);
            std::memset(out, *in++, n);
            out += n;
            wanted -= n;
        }
    }
    return size_t(out - dest.data());
}
