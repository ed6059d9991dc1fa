#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliPicture.h"
#include "cli/DecodeCommand.h"
#include "cli/PPMFile.h"
#include "common/FileIdentity.h"

int RunDecode(const QStringList &args)
{
    const CliArguments parsed = CliArguments::Parse(args, {QStringLiteral("--scale")}, 2, 2);
    JPEGReadScale scale = JPEGReadScale::Whole;
    const QString divisor = parsed.options.value(QStringLiteral("--scale"), QStringLiteral("1"));
    if (divisor == QLatin1String("2"))
        scale = JPEGReadScale::Half;
    else if (divisor == QLatin1String("4"))
        scale = JPEGReadScale::Quarter;
    else if (divisor == QLatin1String("8"))
        scale = JPEGReadScale::Eighth;
    else if (divisor != QLatin1String("1"))
        throw UsageError();
    RefuseWritingOverInputs(parsed.positional[1], {parsed.positional[0]});
    WritePPMFile(LoadPictureForCli(parsed.positional[0], scale), parsed.positional[1]);
    return 0;
}
