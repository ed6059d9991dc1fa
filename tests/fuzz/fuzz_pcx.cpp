#include "imaging/decoders/PCXGraphic.h"
#include "tests/fuzz/FuzzGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzGraphic<TPCXGraphic>(data, size);
}
