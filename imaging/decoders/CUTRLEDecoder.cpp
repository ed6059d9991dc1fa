#include "imaging/decoders/CUTRLEDecoder.h"

#include <algorithm>
#include <cstring>

size_t TCUTRLEDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t limit = std::min(dest.size(), unpackedCount);
    const uint8_t *in = source.data();
    const uint8_t *const end = in + source.size();
    in += std::min<size_t>(2, source.size());
    size_t written = 0;
    // A full row still walks its packets to the end marker, so that the next
    // row starts in the right place; writing just stops at the limit.
    while (in < end) {
        const unsigned header = *in++;
        if (header == 0)
            break;
        const size_t count = header & 127;
        if (header & 128) {
            if (in == end)
                break;
            const uint8_t value = *in++;
            const size_t n = std::min(count, limit - written);
            if (n)
                std::memset(dest.data() + written, value, n);
            written += n;
        } else {
            const size_t literal = std::min(count, size_t(end - in));
            const size_t n = std::min(literal, limit - written);
            if (n)
                std::memcpy(dest.data() + written, in, n);
            in += literal;
            written += n;
        }
    }
    source = source.subspan(size_t(in - source.data()));
    return written;
}
