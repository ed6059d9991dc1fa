#include "imaging/Rotation.h"

#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"

#include <cstring>
#include <utility>

// The turns copy pixel by pixel into a new bitmap and let the caller's
// bitmap take it over; rows are addressed through their own stride, since
// rows of 3-byte pixels are padded to 4 bytes.

namespace {

QImage NewBitmap(int width, int height)
{
    QImage turned(width, height, QImage::Format_BGR888);
    if (turned.isNull() && width > 0 && height > 0)
        throw VistranoError(QStringLiteral("Not enough memory to turn a picture of %1 by %2 pixels.")
                                .arg(height)
                                .arg(width));
    return turned;
}

// Fills the turned bitmap: its pixel (x', y') comes from the source pixel
// that from(x', y') names.
template <typename From>
void Turn(QImage &bitmap, int newWidth, int newHeight, From from)
{
    const QImage source = MakeBitmap24(bitmap);
    QImage turned = NewBitmap(newWidth, newHeight);
    for (int y = 0; y < newHeight; ++y) {
        uint8_t *out = turned.scanLine(y);
        for (int x = 0; x < newWidth; ++x) {
            const auto [sx, sy] = from(x, y);
            std::memcpy(out + ptrdiff_t(x) * 3, source.constScanLine(sy) + ptrdiff_t(sx) * 3, 3);
        }
    }
    bitmap = turned;
}

} // namespace

void Rotate90Clockwise(QImage &bitmap)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    Turn(bitmap, h, w, [h](int x, int y) { return std::pair(y, h - 1 - x); });
}

void Rotate90CounterClockwise(QImage &bitmap)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    Turn(bitmap, h, w, [w](int x, int y) { return std::pair(w - 1 - y, x); });
}

void Rotate180(QImage &bitmap)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    Turn(bitmap, w, h, [w, h](int x, int y) { return std::pair(w - 1 - x, h - 1 - y); });
}

void ApplyRotation(QImage &bitmap, int angle)
{
    switch (angle) {
    case 90: Rotate90Clockwise(bitmap); break;
    case 180: Rotate180(bitmap); break;
    case 270: Rotate90CounterClockwise(bitmap); break;
    default: break;
    }
}
