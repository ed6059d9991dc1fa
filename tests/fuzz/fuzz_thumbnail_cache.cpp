// A thumbnail cache entry, as other programs may have left it: any bytes
// read as an entry give no picture, or one of at most 1024 pixels a side.
// Inputs of even length get their chunk CRCs repaired first (as for PNG).
#include "browser/ThumbnailCache.h"
#include "tests/fuzz/PNGChunkRepair.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> file(data, data + size);
    if (size % 2 == 0)
        RepairPNGChunkCRCs(file);
    const TThumbnailEntry entry =
        ReadThumbnailEntry(QByteArray(reinterpret_cast<const char *>(file.data()), qsizetype(file.size())));
    if (!entry.picture.isNull() && (entry.picture.width() > 1024 || entry.picture.height() > 1024))
        std::abort();
    return 0;
}
