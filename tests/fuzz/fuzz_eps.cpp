#include "FuzzGraphic.h"
#include "imaging/decoders/EPSGraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzGraphic<TEPSGraphic>(data, size);
}
