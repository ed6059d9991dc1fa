// PNG chunks carry CRCs, and mutated input almost never has right ones: the
// fuzzer would stop at the first chunk. Inputs of even length get every
// chunk's CRC recomputed first, so that the header, palette, transparency,
// deflate and filter code behind the CRC check are reached; odd-length
// inputs go in as they are and keep the CRC check itself covered.
#include "imaging/decoders/PNGGraphic.h"
#include "tests/fuzz/PNGChunkRepair.h"
#include "tests/fuzz/FuzzGraphic.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size % 2 == 1)
        return FuzzGraphic<TPNGGraphic>(data, size);
    std::vector<uint8_t> file(data, data + size);
    RepairPNGChunkCRCs(file);
    return FuzzGraphic<TPNGGraphic>(file.data(), file.size());
}
