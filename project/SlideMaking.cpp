#include "project/SlideMaking.h"

#include "common/Rounding.h"
#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"
#include "imaging/Resampling.h"


void MakeSlideFromPicture(RectBoxProperties &box, const QString &path, const SlideDefaults &defaults)
{
    QImage picture = LoadPictureFile(path, JPEGReadScale::Eighth);
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        throw VistranoError(QStringLiteral("Cannot make a slide of %1: the picture could not be read.").arg(path));
    const QSize thumbnail = FitInBox(kThumbnailBox, kThumbnailBox, picture.width(), picture.height());
    StretchBitmap(thumbnail.width(), thumbnail.height(), ResamplingFilter::Box, 0, picture);

    box.SetDrawBoxes(false);
    box.SetBoxType(TBoxType::btImage);
    box.SetHeight(kSlideHeight);
    box.SetAbLeft(defaults.duration);
    box.SetAbTop(defaults.transition);
    box.SetPicture(picture);
    box.SetPictureWidth(picture.width());
    box.SetPictureHeight(picture.height());
    const long double ratio = static_cast<long double>(picture.width()) / picture.height();
    box.SetRatio(ratio);
    box.SetFileName(path);
    box.SetWidth(int32_t(RoundHalfEven(ratio * 100)));
}
