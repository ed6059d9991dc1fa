// The EXIF orientation reader on arbitrary bytes: the input is taken both as
// a whole APP1 payload and, behind the EXIF signature, as its TIFF structure.
#include "imaging/decoders/ExifOrientation.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int sum = ExifOrientation({data, size});
    std::vector<uint8_t> payload = {'E', 'x', 'i', 'f', 0, 0};
    payload.insert(payload.end(), data, data + size);
    sum += ExifOrientation(payload);
    if (sum < 2 || sum > 16)
        __builtin_trap(); // the reader promises 1..8
    return OrientationTurn(sum / 2) % 90;
}
