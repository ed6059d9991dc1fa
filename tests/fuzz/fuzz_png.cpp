// PNG chunks carry CRCs, and mutated input almost never has right ones: the
// fuzzer would stop at the first chunk. Inputs of even length get every
// chunk's CRC recomputed first, so that the header, palette, transparency,
// deflate and filter code behind the CRC check are reached; odd-length
// inputs go in as they are and keep the CRC check itself covered.
#include "imaging/decoders/PNGGraphic.h"
#include "tests/fuzz/FuzzGraphic.h"

#include <zlib.h>

#include <vector>

namespace {

uint32_t BigEndian32(const uint8_t *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

void RepairCRCs(std::vector<uint8_t> &file)
{
    size_t pos = 8;
    while (pos + 12 <= file.size()) {
        const uint32_t length = BigEndian32(file.data() + pos);
        if (length > file.size() - pos - 12)
            return;
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), file.data() + pos + 4, uInt(length + 4));
        uint8_t *stored = file.data() + pos + 8 + length;
        for (int i = 0; i < 4; ++i)
            stored[i] = uint8_t(crc >> (24 - 8 * i));
        pos += 12 + size_t(length);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size % 2 == 1)
        return FuzzGraphic<TPNGGraphic>(data, size);
    std::vector<uint8_t> file(data, data + size);
    RepairCRCs(file);
    return FuzzGraphic<TPNGGraphic>(file.data(), file.size());
}
