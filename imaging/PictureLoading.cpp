#include "imaging/PictureLoading.h"

#include "common/VistranoError.h"
#include "imaging/JPEG_IO.h"
#include "imaging/PictureFileFormats.h"
#include "imaging/PictureLimits.h"
#include "imaging/Rotation.h"
#include "imaging/decoders/ExifOrientation.h"

namespace {

QImage ComposedOntoBlack(const QImage &bitmap)
{
    const QImage argb = bitmap.convertToFormat(QImage::Format_ARGB32);
    CheckPictureAllocated(argb, bitmap.width(), bitmap.height());
    QImage result = NewPictureImage(argb.width(), argb.height(), QImage::Format_BGR888);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = result.scanLine(y);
        for (int x = 0; x < argb.width(); ++x, out += 3) {
            const unsigned a = unsigned(qAlpha(in[x]));
            const auto over = [a](int c) { return uchar((2 * unsigned(c) * a + 255) / 510); };
            out[0] = over(qBlue(in[x]));
            out[1] = over(qGreen(in[x]));
            out[2] = over(qRed(in[x]));
        }
    }
    return result;
}

} // namespace

bool IsJPEGFileName(const QString &path)
{
    const QString extension = PictureFileExtension(path);
    return extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")
        || extension == QLatin1String("jpe") || extension == QLatin1String("jfif");
}

QImage MakeBitmap24(const QImage &bitmap)
{
    if (bitmap.isNull() || bitmap.format() == QImage::Format_BGR888)
        return bitmap;
    if (bitmap.hasAlphaChannel())
        return ComposedOntoBlack(bitmap);
    QImage result = bitmap.convertToFormat(QImage::Format_BGR888);
    CheckPictureAllocated(result, bitmap.width(), bitmap.height());
    return result;
}

TLoadedPicture LoadPicture(const QString &path, JPEGReadScale scale, QSize box)
{
    if (IsJPEGFileName(path)) {
        QImage bitmap;
        const JPEGReadOutcome outcome = ReadJPEGFile(bitmap, path, scale);
        if (outcome.status == JPEGReadStatus::TooLarge)
            throw EInvalidGraphic(outcome.message);
        return {MakeBitmap24(bitmap), OrientationTurn(outcome.orientation)};
    }
    const std::unique_ptr<TGraphic> graphic = LoadPictureGraphic(path, TPictureScale{JPEGScaleDivisor(scale), box});
    return {MakeBitmap24(graphic->Bitmap()), OrientationTurn(graphic->Orientation())};
}

QImage LoadPictureFile(const QString &path, JPEGReadScale scale)
{
    return LoadPicture(path, scale).bitmap;
}

QImage LoadUprightPicture(const QString &path, JPEGReadScale scale, QSize box)
{
    TLoadedPicture picture = LoadPicture(path, scale, box);
    if (!picture.bitmap.isNull())
        ApplyRotation(picture.bitmap, picture.turn);
    return picture.bitmap;
}
