#include "player/PackageSlides.h"

#include "show/ShowPackage.h"

namespace {

// The JPEG of a slide as a picture; a null image when it does not decode.
QImage DecodeSlidePicture(QByteArrayView jpeg)
{
    if (jpeg.isEmpty())
        return {};
    return QImage::fromData(jpeg, "JPG");
}

} // namespace

ShowTimeline PackageTimeline(const ShowPackage &show)
{
    std::vector<TimelineSlide> slides;
    slides.reserve(show.slides.size());
    for (const ShowSlide &slide : show.slides)
        slides.push_back({slide.duration, slide.transition});
    return MakeShowTimeline(slides);
}

SlideContentSource PackageSlideSource(const ShowPackage &show)
{
    return [&show](int index) {
        const ShowSlide &slide = show.slides[size_t(index)];
        SlideContent content;
        content.picture = DecodeSlidePicture(slide.jpeg);
        content.caption = slide.caption;
        content.motion = slide.motion;
        content.notes = SlideNotes(show, index, !content.picture.isNull());
        return content;
    };
}

QStringList SlideNotes(const ShowPackage &show, int index, bool pictureDecodes)
{
    QStringList notes;
    if (index == 0)
        notes << show.problems;
    const ShowSlide &slide = show.slides[size_t(index)];
    notes << slide.problems;
    if (!pictureDecodes && !slide.jpeg.isEmpty())
        notes << QStringLiteral("The picture of slide %1 cannot be decoded.").arg(slide.number);
    return notes;
}
