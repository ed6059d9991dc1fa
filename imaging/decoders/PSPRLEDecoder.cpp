#include "imaging/decoders/PSPRLEDecoder.h"

#include <algorithm>
#include <cstring>

size_t TPSPRLEDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    // The packets decide how much is written; the destination (and the
    // amount wanted, where it is smaller) only cuts a packet that runs past it.
    const size_t limit = std::min(dest.size(), unpackedCount);
    const uint8_t *in = source.data();
    const uint8_t *const end = in + source.size();
    size_t written = 0;
    while (in < end && written < limit) {
        const unsigned header = *in++;
        if (header < 128) {
            const size_t count = std::min({size_t(header), size_t(end - in), limit - written});
            std::memcpy(dest.data() + written, in, count);
            in += std::min(size_t(header), size_t(end - in));
            written += count;
        } else {
            if (in == end)
                break;
            const uint8_t value = *in++;
            const size_t count = std::min(size_t(header - 128), limit - written);
            std::memset(dest.data() + written, value, count);
            written += count;
        }
    }
    return written;
}
