#include "imaging/decoders/DecoderGraphic.h"

#include "common/VistranoError.h"
#include "imaging/PictureLimits.h"

void TDecoderGraphic::FormatError(const char *formatName)
{
    throw EInvalidGraphic(
        QStringLiteral("Cannot load image. Invalid or unexpected %1 image format.").arg(QLatin1String(formatName)));
}

void TDecoderGraphic::ColorFormatError(const char *formatName)
{
    throw EInvalidGraphic(QStringLiteral("Invalid color format in %1 file.").arg(QLatin1String(formatName)));
}

QImage TDecoderGraphic::NewBitmap(int64_t width, int64_t height, QImage::Format format)
{
    CheckPictureSize(width, height);
    QImage image(int(width), int(height), format);
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("Not enough memory for a picture of %1 by %2 pixels.").arg(width).arg(height));
    return image;
}
