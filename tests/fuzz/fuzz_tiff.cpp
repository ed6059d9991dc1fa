#include "FuzzGraphic.h"
#include "imaging/decoders/TIFFGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzGraphic<TTIFFGraphic>(data, size);
}
