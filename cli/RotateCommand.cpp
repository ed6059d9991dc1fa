#include "cli/RotateCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliPicture.h"
#include "cli/PPMFile.h"
#include "common/FileIdentity.h"
#include "imaging/Rotation.h"

#include <climits>

int RunRotate(const QStringList &args)
{
    const CliArguments parsed = CliArguments::Parse(args, {}, 3, 3);
    const int angle = ParseIntArgument(parsed.positional[2], INT_MIN, INT_MAX);
    RefuseWritingOverInputs(parsed.positional[1], {parsed.positional[0]});
    QImage bitmap = LoadPictureForCli(parsed.positional[0], JPEGReadScale::Whole);
    ApplyRotation(bitmap, angle);
    WritePPMFile(bitmap, parsed.positional[1]);
    return 0;
}
