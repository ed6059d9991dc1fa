#include "project/DurationFit.h"

#include "common/Rounding.h"
#include "common/VistranoError.h"

#include <algorithm>
#include <cmath>

namespace {

// No sound lasts longer; a figure beyond it is shown as this.
constexpr double kLongestShown = 1e9;

QString SecondsText(double seconds)
{
    seconds = std::clamp(seconds, 0.0, kLongestShown);
    return QStringLiteral("%1 seconds (%2)").arg(QString::number(seconds, 'f', std::fmod(seconds, 1) == 0 ? 0 : 1),
                                                 MinutesAndSeconds(seconds));
}

} // namespace

QString MinutesAndSeconds(double seconds)
{
    const double tenths = RoundHalfEven(std::clamp(seconds, 0.0, kLongestShown) * 10);
    const qint64 whole = qint64(tenths) / 10;
    const int tenth = int(qint64(tenths) % 10);
    QString text = QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (tenth != 0)
        text += QStringLiteral(".%1").arg(tenth);
    return text;
}

DurationFit FitDurationsToAudio(int slideCount, double audioSeconds)
{
    if (slideCount <= 0)
        throw VistranoError(QStringLiteral("You need to add some slides first!"));
    if (!std::isfinite(audioSeconds) || audioSeconds <= 0)
        throw VistranoError(QStringLiteral("The length of the audio cannot be read."));
    // Far beyond what the slides can fill, the exact figure does not matter.
    const double longest = double(slideCount) * kFittedLongest;
    const qint64 seconds = qint64(RoundHalfEven(std::min(audioSeconds, longest + 1)));
    if (seconds < slideCount)
        throw VistranoError(
            QStringLiteral("The slides cannot fit the audio: %1 slides last at least %2 seconds, and the audio lasts %3.")
                .arg(slideCount)
                .arg(slideCount * kFittedShortest)
                .arg(SecondsText(audioSeconds)));
    if (seconds > longest)
        throw VistranoError(QStringLiteral("The slides cannot fit the audio: %1 slides last at most %2 seconds each, "
                                           "%3 in all, and the audio lasts %4.")
                                .arg(slideCount)
                                .arg(kFittedLongest)
                                .arg(SecondsText(longest), SecondsText(audioSeconds)));
    DurationFit fit;
    fit.total = int(seconds);
    const int share = int(seconds / slideCount);
    const int left = int(seconds % slideCount);
    fit.durations.reserve(size_t(slideCount));
    for (qint64 i = 0; i < slideCount; ++i) {
        // Slide i takes one of the seconds left over when the running share
        // of them passes a whole one: the extra seconds fall evenly apart.
        const bool extra = (i + 1) * left / slideCount > i * left / slideCount;
        fit.durations.push_back(share + (extra ? 1 : 0));
    }
    return fit;
}

QString DurationFitReport(const DurationFit &fit, double audioSeconds)
{
    return QStringLiteral("The show now lasts %1; the audio lasts %2.")
        .arg(SecondsText(fit.total), SecondsText(audioSeconds));
}
