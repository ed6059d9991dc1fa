#include "tests/fuzz/FuzzDecompressor.h"
#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/PCDDecoder.h"
#include "imaging/decoders/PCDGraphic.h"

#include <algorithm>
#include <vector>

// An Image Pac is at least 768 KiB, more than a fuzzer input should be, so
// the input is also laid out as one: its second and third bytes choose the length
// (around the smallest valid one, to meet files that end early), the rest
// fills the Image Pac information sector and, repeated, the picture levels.
// A whole Base picture takes long under the sanitizers and its pixels cannot
// fail, so only inputs whose length leaves 3 over eights are laid out that
// way (the length changes with most mutations, the first bytes do not).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TPCDDecoder unpacker(size > 0 ? (data[0] & 31) * 2 : 0);
    FuzzDecompressor(unpacker, data, size);
    FuzzGraphic<TPCDGraphic>(data, size);
    if (size < 4 || size % 8 != 3)
        return 0;
    const size_t length = 0xBFF00 + (size_t(data[1]) << 8 | data[2]) % 0x200;
    std::vector<uint8_t> pac(length);
    const uint8_t *rest = data + 3;
    const size_t restSize = size - 3;
    std::copy_n(rest, std::min(restSize, size_t(0x800)), pac.begin() + 0x800);
    for (size_t i = 0x30000; i < length; ++i)
        pac[i] = rest[i % restSize];
    return FuzzGraphic<TPCDGraphic>(pac.data(), pac.size());
}
