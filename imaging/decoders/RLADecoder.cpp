#include "imaging/decoders/RLADecoder.h"

#include <algorithm>
#include <cstring>

size_t TRLADecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t limit = std::min(dest.size(), unpackedCount);
    const uint8_t *in = source.data();
    const uint8_t *const end = in + source.size();
    size_t written = 0;
    while (in < end && written < limit) {
        const int header = static_cast<int8_t>(*in++);
        if (header >= 0) {
            if (in == end)
                break;
            const uint8_t value = *in++;
            const size_t count = std::min(size_t(header) + 1, limit - written);
            std::memset(dest.data() + written, value, count);
            written += count;
        } else {
            const size_t literal = std::min(size_t(-header), size_t(end - in));
            const size_t count = std::min(literal, limit - written);
            std::memcpy(dest.data() + written, in, count);
            in += literal;
            written += count;
        }
    }
    return written;
}
