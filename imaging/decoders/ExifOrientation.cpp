#include "imaging/decoders/ExifOrientation.h"

#include "common/VistranoError.h"
#include "imaging/decoders/TIFFDirectory.h"

#include <cstring>

namespace {

constexpr uint16_t kOrientationTag = 274;
constexpr uint8_t kExifSignature[6] = {'E', 'x', 'i', 'f', 0, 0};

} // namespace

int ExifOrientation(std::span<const uint8_t> app1Payload)
{
    if (app1Payload.size() < sizeof kExifSignature
        || std::memcmp(app1Payload.data(), kExifSignature, sizeof kExifSignature) != 0)
        return 1;
    try {
        const TIFFDirectory directory(app1Payload.subspan(sizeof kExifSignature), "EXIF");
        const uint32_t orientation = directory.Value(kOrientationTag, 1);
        return orientation >= 1 && orientation <= 8 ? int(orientation) : 1;
    } catch (const VistranoError &) {
        return 1;
    }
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
