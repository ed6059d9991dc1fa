#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/PSDGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzGraphic<TPSDGraphic>(data, size);
}
