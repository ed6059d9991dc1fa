#include "cli/BuildCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "common/FileIdentity.h"
#include "show/ScreenSizes.h"
#include "show/SlideshowBuild.h"


namespace {

// The screen sizes of the options dialog.
void ParseSize(const QString &text, BuildOptions &options)
{
    const QSize size = ParseSizeArgument(text);
    if (!ShowScreenSizes().contains(size))
        throw UsageError();
    options.OutputWidth = size.width();
    options.OutputHeight = size.height();
}

} // namespace

int RunBuild(const QStringList &args)
{
    const CliArguments parsed = CliArguments::Parse(
        args,
        {QStringLiteral("--size"), QStringLiteral("--compression"), QStringLiteral("--template"),
         QStringLiteral("--threads")},
        2, 2);
    BuildOptions options;
    if (parsed.options.contains(QStringLiteral("--size")))
        ParseSize(parsed.options.value(QStringLiteral("--size")), options);
    if (parsed.options.contains(QStringLiteral("--compression")))
        options.Compression = ParseIntArgument(parsed.options.value(QStringLiteral("--compression")), 0, 60);
    options.TemplatePath = parsed.options.value(QStringLiteral("--template"));
    if (parsed.options.contains(QStringLiteral("--threads")))
        options.Threads = ParseIntArgument(parsed.options.value(QStringLiteral("--threads")), 1, 64);

    // The template, the audio and the pictures are checked by the build.
    RefuseWritingOverInputs(parsed.positional[1], {parsed.positional[0]});
    const CliProject project = OpenWholeProject(parsed.positional[0]);
    options.BackgroundAudio = project.opened.header.audioPath;
    BuildSlideshow(parsed.positional[1], ShowSlidesOf(project), options,
                   [](const BuildProgress &progress) { PrintStatusLine(progress.status); });
    return 0;
}
