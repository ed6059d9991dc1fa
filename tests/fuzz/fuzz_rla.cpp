#include "tests/fuzz/FuzzDecompressor.h"
#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/RLADecoder.h"
#include "imaging/decoders/RLAGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TRLADecoder decoder;
    FuzzDecompressor(decoder, data, size);
    return FuzzGraphic<TRLAGraphic>(data, size);
}
