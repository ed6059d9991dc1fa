#include "cli/VideoCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "common/FileIdentity.h"
#include "show/ScreenSizes.h"
#include "video/VideoExport.h"

#include <cstdio>

int RunVideo(const QStringList &args)
{
    const CliArguments parsed = CliArguments::Parse(
        args, {QStringLiteral("--size"), QStringLiteral("--fps"), QStringLiteral("--crf")}, 2, 2);
    VideoOptions options;
    options.size = SizeOption(parsed, options.size);
    if (parsed.options.contains(QStringLiteral("--fps")))
        options.fps = ParseIntArgument(parsed.options.value(QStringLiteral("--fps")), 1, 120);
    if (parsed.options.contains(QStringLiteral("--crf")))
        options.crf = ParseIntArgument(parsed.options.value(QStringLiteral("--crf")), 0, 51);

    // The audio and the pictures are checked by the export.
    RefuseWritingOverInputs(parsed.positional[1], {parsed.positional[0]});
    const CliProject project = OpenWholeProject(parsed.positional[0]);
    options.backgroundAudio = project.opened.header.audioPath;
    const VideoExportResult result = ExportVideo(parsed.positional[1], ShowSlidesOf(project), options, [](const VideoProgress &progress) { PrintStatusLine(progress.status); });
    if (!result.audioProblem.isEmpty())
        std::fprintf(stderr, "%s\nThe video was made without sound.\n", result.audioProblem.toUtf8().constData());
    return 0;
}
