#include "imaging/decoders/ExifOrientation.h"

#include "common/VistranoError.h"
#include "imaging/decoders/TIFFDirectory.h"

#include <cstring>

namespace {

constexpr uint16_t kOrientationTag = 274;
constexpr uint8_t kExifSignature[6] = {'E', 'x', 'i', 'f', 0, 0};

bool HasExifSignature(std::span<const uint8_t> bytes)
{
    return bytes.size() >= sizeof kExifSignature
        && std::memcmp(bytes.data(), kExifSignature, sizeof kExifSignature) == 0;
}

int TIFFOrientation(std::span<const uint8_t> tiff)
{
    try {
        const TIFFDirectory directory(tiff, "EXIF");
        const uint32_t orientation = directory.Value(kOrientationTag, 1);
        return orientation >= 1 && orientation <= 8 ? int(orientation) : 1;
    } catch (const VistranoError &) {
        return 1;
    }
}

} // namespace

int ExifOrientation(std::span<const uint8_t> app1Payload)
{
    return HasExifSignature(app1Payload) ? TIFFOrientation(app1Payload.subspan(sizeof kExifSignature)) : 1;
}

int ExifChunkOrientation(std::span<const uint8_t> chunk)
{
    return TIFFOrientation(HasExifSignature(chunk) ? chunk.subspan(sizeof kExifSignature) : chunk);
}

int OrientationTurn(int orientation)
{
    switch (orientation) {
    case 3: case 4: return 180;
    case 5: case 6: return 90;
    case 7: case 8: return 270;
    default: return 0;
    }
}
