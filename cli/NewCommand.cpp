#include "cli/CliCommand.h"
#include "cli/NewCommand.h"
#include "common/FileIdentity.h"
#include "common/VistranoError.h"
#include "project/DurationFit.h"
#include "project/ProjectFile.h"
#include "project/SlideLayout.h"
#include "project/SlideMaking.h"
#include "project/Transitions.h"
#include "video/AudioInput.h"

#include <QFileInfo>
#include <QTextStream>

#include <memory>
#include <optional>
#include <vector>

namespace {

struct NewArguments
{
    QString project;
    QStringList pictures;
    SlideDefaults defaults;
    QString audio;
    bool fitAudio = false;
};

NewArguments ParseArguments(const QStringList &args)
{
    NewArguments parsed;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            positional << arg;
            continue;
        }
        if (arg == QLatin1String("--fit-audio")) {
            parsed.fitAudio = true;
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError();
        const QString &value = args[++i];
        if (arg == QLatin1String("--duration")) {
            bool ok = false;
            parsed.defaults.duration = value.trimmed().toInt(&ok);
            if (!ok)
                throw VistranoError(QStringLiteral("'%1' is not a valid integer value").arg(value));
        } else if (arg == QLatin1String("--transition")) {
            const auto code = TransitionCode(value);
            if (!code)
                throw VistranoError(QStringLiteral("Unknown transition '%1'; the transitions are %2 (or their codes 0 to %3)")
                                        .arg(value, TransitionNames().join(QStringLiteral(", ")))
                                        .arg(TransitionNames().size() - 1));
            parsed.defaults.transition = *code;
        } else if (arg == QLatin1String("--motion")) {
            const auto motion = SlideMotionFromText(value);
            if (!motion || (*motion != SlideMotion::None && *motion != SlideMotion::Auto))
                throw VistranoError(QStringLiteral("Unknown motion '%1'; the motions are none and auto").arg(value));
            parsed.defaults.motion = *motion;
        } else if (arg == QLatin1String("--audio")) {
            parsed.audio = QFileInfo(value).absoluteFilePath();
        } else {
            throw UsageError();
        }
    }
    if (positional.size() < 2 || (parsed.fitAudio && parsed.audio.isEmpty()))
        throw UsageError();
    parsed.project = positional.takeFirst();
    parsed.pictures = positional;
    return parsed;
}

} // namespace

int RunNew(const QStringList &args)
{
    const NewArguments parsed = ParseArguments(args);
    RefuseWritingOverInputs(parsed.project, parsed.pictures + QStringList{parsed.audio});
    // The audio is measured before any picture is read, so that a refusal
    // comes at once.
    std::optional<DurationFit> fit;
    double audioSeconds = 0;
    if (parsed.fitAudio) {
        audioSeconds = AudioFileSeconds(parsed.audio);
        fit = FitDurationsToAudio(int(parsed.pictures.size()), audioSeconds);
    }
    std::vector<std::unique_ptr<RectBoxProperties>> slides;
    std::vector<RectBoxProperties *> strip;
    for (const QString &picture : parsed.pictures) {
        auto box = std::make_unique<RectBoxProperties>();
        MakeSlideFromPicture(*box, QFileInfo(picture).absoluteFilePath(), parsed.defaults);
        // Each slide goes behind the last one, so the strip keeps the order
        // of the command line.
        box->SetLeft(strip.empty() ? 10 : strip.back()->Left() + strip.back()->Width() + 10);
        box->SetTop(10);
        box->SetPopupMenu(kSlidePopupMenu);
        strip.push_back(box.get());
        slides.push_back(std::move(box));
        LayoutSlides(strip);
    }
    if (fit) {
        for (size_t i = 0; i < strip.size(); ++i)
            strip[i]->SetAbLeft(fit->durations[i]);
    }
    const std::vector<const RectBoxProperties *> order(strip.begin(), strip.end());
    SaveProject(parsed.project, order, parsed.audio);
    if (fit)
        QTextStream(stdout) << DurationFitReport(*fit, audioSeconds) << '\n';
    return 0;
}
