#include "tests/fuzz/FuzzDecompressor.h"
#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/PSPGraphic.h"
#include "imaging/decoders/PSPRLEDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TPSPRLEDecoder decoder;
    FuzzDecompressor(decoder, data, size);
    return FuzzGraphic<TPSPGraphic>(data, size);
}
