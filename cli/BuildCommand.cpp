#include "cli/BuildCommand.h"

#include "cli/CliCommand.h"
#include "common/VistranoError.h"
#include "project/ProjectFile.h"
#include "project/SlideLayout.h"
#include "show/SlideshowBuild.h"

#include <cstdio>

namespace {

// The screen sizes of the options dialog.
bool ParseSize(const QString &text, BuildOptions &options)
{
    static const QStringList sizes = {"640x480", "800x600", "1024x768", "1280x1024"};
    if (!sizes.contains(text))
        return false;
    const QStringList parts = text.split(QLatin1Char('x'));
    options.OutputWidth = parts[0].toInt();
    options.OutputHeight = parts[1].toInt();
    return true;
}

bool ParseCompression(const QString &text, BuildOptions &options)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 60)
        return false;
    options.Compression = value;
    return true;
}

void PrintProgress(const BuildProgress &progress)
{
    if (progress.status.isEmpty())
        return;
    std::fprintf(stderr, "%s\n", progress.status.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

int RunBuild(const QStringList &args)
{
    QStringList paths;
    BuildOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            paths << arg;
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError();
        const QString &value = args[++i];
        if (arg == QLatin1String("--size")) {
            if (!ParseSize(value, options))
                throw UsageError();
        } else if (arg == QLatin1String("--compression")) {
            if (!ParseCompression(value, options))
                throw UsageError();
        } else if (arg == QLatin1String("--template")) {
            options.TemplatePath = value;
        } else {
            throw UsageError();
        }
    }
    if (paths.size() != 2)
        throw UsageError();

    const OpenedProject project = OpenProject(paths[0]);
    if (!project.Complete())
        throw VistranoError(project.error);
    std::vector<RectBoxProperties *> boxes;
    for (const auto &slide : project.slides)
        boxes.push_back(slide.get());
    QList<BuildSlide> slides;
    for (const RectBoxProperties *box : LayoutSlides(boxes))
        slides.append({box->FileName(), box->Rotation(), box->AbLeft(), box->AbTop(), box->Caption()});
    options.BackgroundAudio = project.header.audioPath;
    BuildSlideshow(paths[1], slides, options, PrintProgress);
    return 0;
}
