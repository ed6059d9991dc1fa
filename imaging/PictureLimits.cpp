#include "imaging/PictureLimits.h"

#include "common/VistranoError.h"

bool PictureSizeAllowed(int64_t width, int64_t height)
{
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide
        && width * height <= kMaxPicturePixels;
}

void CheckPictureSize(int64_t width, int64_t height)
{
    if (width < 1 || height < 1)
        throw EInvalidGraphic(QStringLiteral("Invalid picture size (%1 by %2 pixels).").arg(width).arg(height));
    if (!PictureSizeAllowed(width, height))
        throw EInvalidGraphic(QStringLiteral("Picture too large (%1 by %2 pixels); the program opens pictures "
                                             "of up to %3 pixels with no side longer than %4.")
                                  .arg(width)
                                  .arg(height)
                                  .arg(kMaxPicturePixels)
                                  .arg(kMaxPictureSide));
}

QImage NewPictureImage(int64_t width, int64_t height, QImage::Format format)
{
    CheckPictureSize(width, height);
    QImage image(int(width), int(height), format);
    CheckPictureAllocated(image, width, height);
    return image;
}

void CheckPictureAllocated(const QImage &image, int64_t width, int64_t height)
{
    if (image.isNull())
        throw EInvalidGraphic(
            QStringLiteral("Not enough memory for a picture of %1 by %2 pixels.").arg(width).arg(height));
}
