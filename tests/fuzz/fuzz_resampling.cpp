// StretchBitmap with sizes, filter, radius (any float, NaN and infinities
// included) and pixels from the input: it must neither crash nor read or
// write outside its pictures, and every instruction path must give the
// same bytes as the scalar one.

#include "imaging/ResamplingOptions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 9)
        return 0;
    const int sourceWidth = data[0] % 48 + 1;
    const int sourceHeight = data[1] % 48 + 1;
    const int targetWidth = data[2] % 64;
    const int targetHeight = data[3] % 64;
    const ResamplingFilter filter = ResamplingFilter(data[4] % 7);
    float radius;
    std::memcpy(&radius, data + 5, 4);
    data += 9;
    size -= 9;

    QImage source(sourceWidth, sourceHeight, QImage::Format_BGR888);
    size_t at = 0;
    for (int y = 0; y < sourceHeight; ++y)
        for (int x = 0; x < sourceWidth * 3; ++x)
            source.scanLine(y)[x] = size ? data[at++ % size] : uint8_t(x * 7 + y);

    QImage expected = source;
    StretchBitmapWith(targetWidth, targetHeight, filter, radius, expected, {1, PixelPath::Scalar});
    for (PixelPath path : {PixelPath::SSSE3, PixelPath::AVX2}) {
        if (!PixelPathAvailable(path))
            continue;
        QImage actual = source;
        StretchBitmapWith(targetWidth, targetHeight, filter, radius, actual, {2, path});
        if (actual != expected)
            std::abort();
    }
    return 0;
}
