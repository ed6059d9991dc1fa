#include "cli/BuildCommand.h"
#include "cli/CliCommand.h"
#include "cli/DecodeCommand.h"
#include "cli/FormatsCommand.h"
#include "cli/InfoCommand.h"
#include "cli/NewCommand.h"
#include "cli/PrintCommand.h"
#include "cli/RotateCommand.h"
#include "cli/SectionsCommand.h"
#include "cli/StretchCommand.h"
#include "cli/ThumbnailsCommand.h"
#include "cli/VideoCommand.h"
#include "cli/WebCommand.h"

// Each subcommand lives in a file of its own; add its entry here.

#include <cstdio>

static int RunVersion(const QStringList &args)
{
    if (!args.isEmpty())
        throw UsageError();
    std::printf("%s\n", VISTRANO_VERSION);
    return 0;
}

static const CliCommand kCommands[] = {
    {"version", "version", RunVersion},
    {"new", "new PROJECT.vsw PICTURE... [--duration N] [--transition NAME|CODE] [--audio FILE [--fit-audio]] [--motion none|auto]", RunNew},
    {"info", "info PROJECT.vsw", RunInfo},
    {"decode", "decode PICTURE OUT.ppm [--scale 1|2|4|8]", RunDecode},
    {"stretch", "stretch PICTURE OUT.ppm WIDTH HEIGHT [--filter box|triangle|hermite|bell|spline|lanczos3|mitchell] "
                "[--radius R]", RunStretch},
    {"rotate", "rotate PICTURE OUT.ppm ANGLE", RunRotate},
    {"formats", "formats", RunFormats},
    {"build", "build PROJECT.vsw OUT.exe [--size 640x480|800x600|1024x768|1280x1024|1280x720|1920x1080|1080x1920] "
              "[--compression 0..60] [--template PATH] [--threads N]", RunBuild},
    {"video", "video PROJECT.vsw OUT.mp4 [--size WxH] [--fps N] [--crf 0..51]", RunVideo},
    {"web", "web PROJECT.vsw OUT.html [--size WxH] [--compression 0..60]", RunWeb},
    {"sections", "sections PACKAGE [KEY]", RunSections},
    {"print", "print PROJECT.vsw OUT.pdf [--paper letter|a4|legal] [--landscape] [--dpi 72..1200]", RunPrint},
    {"thumbnails", "thumbnails FOLDER... [--threads N]", RunThumbnails},
};

const CliCommand *CliCommands(int &count)
{
    count = int(sizeof(kCommands) / sizeof(kCommands[0]));
    return kCommands;
}
