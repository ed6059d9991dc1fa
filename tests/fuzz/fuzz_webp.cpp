// The WebP decoder on arbitrary bytes, whole and scaled while decoding.
#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/WebPGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TWebPGraphic scaled;
    try {
        scaled.LoadScaledFromBytes(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)),
                                   TPictureScale{4, {}});
    } catch (const VistranoError &) {
    }
    return FuzzGraphic<TWebPGraphic>(data, size);
}
