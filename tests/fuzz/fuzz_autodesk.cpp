#include "tests/fuzz/FuzzGraphic.h"

#include "imaging/decoders/AutodeskGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzGraphic<TAutodeskGraphic>(data, size);
}
