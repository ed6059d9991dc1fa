#include "show/SlideRendering.h"

#include "common/VistranoError.h"
#include "imaging/Resampling.h"
#include "imaging/Rotation.h"
#include "imaging/StretchedPictureLoading.h"
#include "show/JpegEncoding.h"
#include "show/PackageMarkers.h"

#include <algorithm>

QSize RenderedSlideSize(QSize picture, QSize box, double oversize)
{
    const QSize fitted = FitInBox(box.width(), box.height(), picture.width(), picture.height());
    if (!(oversize > 1))
        return fitted;
    const QSize larger = FitInBox(int(box.width() * oversize), int(box.height() * oversize), picture.width(),
                                  picture.height());
    if (larger.width() <= picture.width() && larger.height() <= picture.height())
        return larger;
    // The picture has fewer pixels than the larger size: its own size, or the
    // screen's fit where that enlarges it already.
    return fitted.width() >= picture.width() ? fitted : picture;
}

QImage RenderSlidePicture(const QString &fileName, int rotation, QSize screen, int slideNumber, SlideFit fit,
                          int threads, double oversize)
{
    // A quarter turn swaps the sides, so the stored picture fitted as it is
    // seen fits the screen turned the other way round.
    const bool quarterTurn = rotation == 90 || rotation == 270;
    const QSize box = fit == SlideFit::AsShown && quarterTurn ? screen.transposed() : screen;
    const auto fitToScreen = [box, oversize](QSize picture) {
        const QSize fitted = RenderedSlideSize(picture, box, oversize);
        // A sliver of a picture may round to no pixels across; it keeps one.
        return QSize(std::max(1, fitted.width()), std::max(1, fitted.height()));
    };
    QImage picture;
    try {
        picture = LoadStretchedPicture(fileName, fitToScreen, ResamplingFilter::Lanczos3, 0, threads);
    } catch (const VistranoError &error) {
        throw VistranoError(QStringLiteral("Slide %1 (%2): %3").arg(slideNumber).arg(fileName, error.message()));
    }
    if (picture.isNull())
        throw VistranoError(QStringLiteral("Slide %1: the picture %2 cannot be loaded").arg(slideNumber).arg(fileName));
    ApplyRotation(picture, rotation);
    return picture;
}

QByteArray EncodeSlideJpeg(const QImage &picture, int quality, const JpegEncoder &encode)
{
    for (int q = quality; q >= 1; --q) {
        QByteArray jpeg = encode ? encode(picture, q) : EncodeJpeg(picture, q);
        if (!ContainsMarkerPrefix(jpeg))
            return jpeg;
    }
    throw VistranoError(QStringLiteral("The picture cannot be stored in the show at any JPEG quality"));
}
