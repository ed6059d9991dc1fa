// The Windows bitmap reader on arbitrary bytes. Run-length coded pictures of
// any allowed size fit in a few bytes; decoding the largest takes seconds
// under the sanitizers, so pictures beyond 4 megapixels stop at the header.
#include "common/VistranoError.h"
#include "imaging/Bitmap.h"
#include "imaging/BitmapHeader.h"
#include "tests/fuzz/FuzzGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const BitmapHeader header =
            ReadBitmapHeader(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
        if (header.width * header.height > (int64_t(1) << 22))
            return 0;
    } catch (const VistranoError &) {
        return 0;
    }
    return FuzzGraphic<TBitmap>(data, size);
}
