#include "cli/WebCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "common/FileIdentity.h"
#include "show/ScreenSizes.h"
#include "web/WebShowExport.h"

#include <cstdio>

int RunWeb(const QStringList &args)
{
    const CliArguments parsed =
        CliArguments::Parse(args, {QStringLiteral("--size"), QStringLiteral("--compression")}, 2, 2);
    WebShowOptions options;
    options.size = SizeOption(parsed, options.size);
    if (parsed.options.contains(QStringLiteral("--compression")))
        options.compression = ParseIntArgument(parsed.options.value(QStringLiteral("--compression")), 0, 60);

    // The audio and the pictures are checked by the export.
    RefuseWritingOverInputs(parsed.positional[1], {parsed.positional[0]});
    const CliProject project = OpenWholeProject(parsed.positional[0]);
    options.backgroundAudio = project.opened.header.audioPath;
    const WebShowResult result = ExportWebShow(parsed.positional[1], ShowSlidesOf(project), options, [](const BuildProgress &progress) { PrintStatusLine(progress.status); });
    if (!result.audioProblem.isEmpty())
        std::fprintf(stderr, "%s\nThe web show was made without sound.\n", result.audioProblem.toUtf8().constData());
    return 0;
}
