#include "project/SlideMaking.h"

#include "common/Rounding.h"
#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"
#include "imaging/Resampling.h"
#include "project/SlideRotation.h"


void MakeSlideFromPicture(RectBoxProperties &box, const QString &path, const SlideDefaults &defaults)
{
    TLoadedPicture loaded = LoadPicture(path, JPEGReadScale::Eighth, QSize(kThumbnailBox, kThumbnailBox));
    QImage &picture = loaded.bitmap;
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        throw VistranoError(QStringLiteral("Cannot make a slide of %1: the picture could not be read.").arg(path));
    const QSize thumbnail = FitInBox(kThumbnailBox, kThumbnailBox, picture.width(), picture.height());
    StretchBitmap(thumbnail.width(), thumbnail.height(), ResamplingFilter::Box, 0, picture);

    box.SetDrawBoxes(false);
    box.SetBoxType(TBoxType::btImage);
    box.SetHeight(kSlideHeight);
    box.SetAbLeft(defaults.duration);
    box.SetAbTop(defaults.transition);
    box.SetMotion(defaults.motion);
    box.SetPicture(picture);
    box.SetPictureWidth(picture.width());
    box.SetPictureHeight(picture.height());
    const long double ratio = static_cast<long double>(picture.width()) / picture.height();
    box.SetRatio(ratio);
    box.SetFileName(path);
    box.SetWidth(int32_t(RoundHalfEven(ratio * 100)));

    // A photo whose orientation tag says how to stand it upright becomes the
    // slide the user would make of the stored picture with the rotate
    // buttons: Rotation is always the turn of the stored pixels, which is
    // what stored projects, the build and printing go by.
    switch (loaded.turn) {
    case 90:
        RotateSlide(box, true);
        break;
    case 180:
        RotateSlide(box, true);
        RotateSlide(box, true);
        break;
    case 270:
        RotateSlide(box, false);
        break;
    default:
        break;
    }
}
