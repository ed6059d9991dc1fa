#include "tests/fuzz/FuzzDecompressor.h"
#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/CUTGraphic.h"
#include "imaging/decoders/CUTRLEDecoder.h"
#include "imaging/decoders/HaloPalette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TCUTRLEDecoder decoder;
    FuzzDecompressor(decoder, data, size);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QList<QRgb>> colors = ReadHaloPalette(bytes);
    if (colors && colors->size() > 256)
        __builtin_trap();
    return FuzzGraphic<TCUTGraphic>(data, size);
}
