// The HEIF and AVIF decoder on arbitrary bytes, whole and as a scaled load
// (embedded thumbnails and the reduction behind them).
#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/HEIFGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    THEIFGraphic scaled;
    try {
        scaled.LoadScaledFromBytes(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)),
                                   TPictureScale{8, QSize(128, 128)});
    } catch (const VistranoError &) {
    }
    return FuzzGraphic<THEIFGraphic>(data, size);
}
