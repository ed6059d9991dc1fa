#include "show/ShowPackage.h"

#include "common/Text8Bit.h"
#include "show/PackageReader.h"
#include "show/ScreenSizes.h"

#include <QByteArray>

#include <algorithm>

namespace {

constexpr double kMaxDuration = 24 * 3600;

// A count or size of decimal digits, possibly padded with spaces.
bool ParseCount(QByteArrayView value, qint64 limit, qint64 *result)
{
    const QByteArrayView digits = value.trimmed();
    if (digits.isEmpty() || digits.size() > 18)
        return false;
    qint64 number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (number > limit)
        return false;
    *result = number;
    return true;
}

bool ParseDuration(QByteArrayView value, double *result)
{
    // A show built on a machine whose locale writes a decimal comma has one.
    QByteArray text = value.trimmed().toByteArray().replace(',', '.');
    if (text.isEmpty() || text.size() > 40)
        return false;
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '.' && c != '-' && c != '+')
            return false;
    }
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds >= 0 && seconds <= kMaxDuration))
        return false;
    *result = seconds;
    return true;
}

QString StateText(SectionState state)
{
    return state == SectionState::Damaged ? QStringLiteral("damaged") : QStringLiteral("missing");
}

QSize ReadScreenSize(const PackageIndex &index, QStringList &problems)
{
    qint64 width = 0;
    qint64 height = 0;
    const SectionLookup w = index.Find("OWidth");
    const SectionLookup h = index.Find("OHeight");
    const bool good = w.state == SectionState::Found && h.state == SectionState::Found
                      && ParseCount(w.value, kMaxScreenSide, &width) && ParseCount(h.value, kMaxScreenSide, &height)
                      && width > 0 && height > 0;
    if (!good) {
        problems << QStringLiteral("The screen size of the show is missing or damaged.");
        return {};
    }
    return QSize(int(width), int(height));
}

ShowSlide ReadSlide(const PackageIndex &index, int number)
{
    ShowSlide slide;
    slide.number = number;
    const QByteArray n = QByteArray::number(number);

    const SectionLookup jpg = index.Find("jpg" + n);
    if (jpg.state == SectionState::Found && !jpg.value.isEmpty())
        slide.jpeg = jpg.value;
    else
        slide.problems << QStringLiteral("The picture of slide %1 is %2.")
                              .arg(number)
                              .arg(jpg.state == SectionState::Found ? QStringLiteral("empty") : StateText(jpg.state));

    const SectionLookup dur = index.Find("dur" + n);
    if (dur.state != SectionState::Found || !ParseDuration(dur.value, &slide.duration))
        slide.problems << QStringLiteral("The duration of slide %1 is %2.")
                              .arg(number)
                              .arg(dur.state == SectionState::Found ? QStringLiteral("damaged") : StateText(dur.state));

    const SectionLookup tran = index.Find("tran" + n);
    qint64 code = 0;
    if (tran.state == SectionState::Found && ParseCount(tran.value, kTransitionCount - 1, &code))
        slide.transition = int(code);
    else
        slide.problems << QStringLiteral("The transition of slide %1 is %2.")
                              .arg(number)
                              .arg(tran.state == SectionState::Found ? QStringLiteral("damaged") : StateText(tran.state));

    // Written only for a slide that moves; a text this player does not know
    // leaves the slide still.
    const SectionLookup motion = index.Find("motion" + n);
    if (motion.state == SectionState::Found)
        slide.motion = MotionPathFromText(QString::fromLatin1(motion.value.first(std::min<qsizetype>(40, motion.value.size()))));

    const SectionLookup cap = index.Find("cap" + n);
    if (cap.state == SectionState::Found)
        slide.caption = DecodeText8(cap.value.data(), cap.value.size());
    else
        slide.problems << QStringLiteral("The caption of slide %1 is %2.").arg(number).arg(StateText(cap.state));
    return slide;
}

bool SlideIsPresent(const PackageIndex &index, int number)
{
    const QByteArray n = QByteArray::number(number);
    for (const char *key : {"jpg", "dur", "tran", "cap"}) {
        if (index.Find(key + n).state != SectionState::Missing)
            return true;
    }
    return false;
}

} // namespace

ShowPackage ReadShowPackage(QByteArrayView bytes)
{
    ShowPackage show;
    const PackageIndex index(bytes);
    show.hasSections = index.HasSections();
    if (!show.hasSections)
        return show;

    show.screenSize = ReadScreenSize(index, show.problems);

    const SectionLookup audio = index.Find("BGAUDIO");
    if (audio.state == SectionState::Found) {
        show.audio = audio.value;
        const SectionLookup extension = index.Find("BGAUDIOEXT");
        if (extension.state == SectionState::Found)
            show.audioExtension = DecodeText8(extension.value.data(), extension.value.size());
    } else if (audio.state == SectionState::Damaged) {
        show.problems << QStringLiteral("The background audio is damaged.");
    }

    // Every slide has four sections, so no show holds more slides than a
    // quarter of its sections; a larger count is not believed.
    const qint64 most = index.SectionCount() / 4;
    qint64 count = 0;
    const SectionLookup imageCount = index.Find("ImageCount");
    if (imageCount.state == SectionState::Found && ParseCount(imageCount.value, most, &count)) {
        for (int number = 1; number <= count; ++number)
            show.slides.push_back(ReadSlide(index, number));
    } else {
        int number = 1;
        for (; number <= most && SlideIsPresent(index, number); ++number)
            show.slides.push_back(ReadSlide(index, number));
        show.problems << QStringLiteral("The slide count of the show is %1; it holds %2 slides.")
                             .arg(imageCount.state == SectionState::Found ? QStringLiteral("damaged")
                                                                          : StateText(imageCount.state))
                             .arg(number - 1);
    }
    return show;
}
