#include "imaging/decoders/TargaRLEDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

size_t PixelBytes(int depth)
{
    switch (depth) {
    case 8:
        return 1;
    case 15:
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    default:
        return 0;
    }
}

} // namespace

size_t TTargaRLEDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    const size_t pixelBytes = PixelBytes(m_depth);
    if (pixelBytes == 0)
        return 0;
    size_t wanted = std::min(unpackedCount, dest.size() / pixelBytes);
    const uint8_t *in = source.data();
    const uint8_t *const inEnd = in + source.size();
    uint8_t *out = dest.data();

    while (wanted > 0 && in < inEnd) {
        const uint8_t header = *in++;
        const size_t count = size_t(header & 127) + 1;
        const size_t used = std::min(count, wanted);
        if (header & 128) {
            if (size_t(inEnd - in) < pixelBytes) {
                in = inEnd;
                break;
            }
            if (pixelBytes == 1) {
                std::memset(out, *in, used);
            } else {
                for (size_t i = 0; i < used; ++i)
                    std::memcpy(out + i * pixelBytes, in, pixelBytes);
            }
            in += pixelBytes;
            out += used * pixelBytes;
            wanted -= used;
        } else {
            const size_t available = size_t(inEnd - in) / pixelBytes;
            const size_t copied = std::min(used, available);
            std::memcpy(out, in, copied * pixelBytes);
            out += copied * pixelBytes;
            wanted -= copied;
            // The whole packet is consumed even when only part of it fits.
            in += std::min(count, available) * pixelBytes;
            if (copied < used)
                break;
        }
    }
    source = source.subspan(size_t(in - source.data()));
    return size_t(out - dest.data());
}
