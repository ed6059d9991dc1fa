#include "imaging/decoders/SGIRLEDecoder.h"

#include <algorithm>
#include <cstring>

size_t TSGIRLEDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    if (m_sampleBits != 8 && m_sampleBits != 16)
        return 0;
    const size_t sampleBytes = size_t(m_sampleBits / 8);
    const uint8_t *in = source.data();
    const uint8_t *const inEnd = in + source.size();
    uint8_t *out = dest.data();
    const size_t limit = std::min(unpackedCount, dest.size());
    uint8_t *const outEnd = out + (limit - limit % sampleBytes);

    while (out < outEnd && size_t(inEnd - in) >= sampleBytes) {
        // For 16-bit samples the count sits in the low byte of the word.
        const uint8_t header = in[sampleBytes - 1];
        in += sampleBytes;
        const size_t count = header & 127;
        if (count == 0)
            break;
        const size_t room = size_t(outEnd - out) / sampleBytes;
        if (header & 128) {
            const size_t available = size_t(inEnd - in) / sampleBytes;
            const size_t copied = std::min({count, room, available});
            std::memcpy(out, in, copied * sampleBytes);
            out += copied * sampleBytes;
            in += std::min(count, available) * sampleBytes;
        } else {
            if (size_t(inEnd - in) < sampleBytes)
                break;
            const size_t repeated = std::min(count, room);
            if (sampleBytes == 1) {
                std::memset(out, *in, repeated);
            } else {
                for (size_t i = 0; i < repeated; ++i)
                    std::memcpy(out + i * sampleBytes, in, sampleBytes);
            }
            out += repeated * sampleBytes;
            in += sampleBytes;
        }
    }
    return size_t(out - dest.data());
}
