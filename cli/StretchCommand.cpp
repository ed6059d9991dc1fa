#include "cli/StretchCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliPicture.h"
#include "cli/PPMFile.h"
#include "common/FileIdentity.h"
#include "imaging/PictureLimits.h"
#include "imaging/Resampling.h"

#include <climits>
#include <cmath>

namespace {

ResamplingFilter ParseFilter(const QString &name)
{
    static const struct { const char *name; ResamplingFilter filter; } kFilters[] = {
        {"box", ResamplingFilter::Box},       {"triangle", ResamplingFilter::Triangle},
        {"hermite", ResamplingFilter::Hermite}, {"bell", ResamplingFilter::Bell},
        {"spline", ResamplingFilter::Spline}, {"lanczos3", ResamplingFilter::Lanczos3},
        {"mitchell", ResamplingFilter::Mitchell},
    };
    for (const auto &entry : kFilters)
        if (name == QLatin1String(entry.name))
            return entry.filter;
    throw UsageError();
}

float ParseRadius(const QString &text)
{
    bool ok = false;
    const float radius = text.toFloat(&ok);
    if (!ok || !std::isfinite(radius) || radius < 0)
        throw UsageError();
    return radius;
}

} // namespace

int RunStretch(const QStringList &args)
{
    const CliArguments parsed =
        CliArguments::Parse(args, {QStringLiteral("--filter"), QStringLiteral("--radius")}, 4, 4);
    const int width = ParseIntArgument(parsed.positional[2], 1, INT_MAX);
    const int height = ParseIntArgument(parsed.positional[3], 1, INT_MAX);
    const ResamplingFilter filter = ParseFilter(parsed.options.value(QStringLiteral("--filter"), QStringLiteral("lanczos3")));
    const float radius = ParseRadius(parsed.options.value(QStringLiteral("--radius"), QStringLiteral("0")));
    CheckPictureSize(width, height);
    RefuseWritingOverInputs(parsed.positional[1], {parsed.positional[0]});
    QImage bitmap = LoadPictureForCli(parsed.positional[0], JPEGReadScale::Whole);
    StretchBitmap(width, height, filter, radius, bitmap);
    WritePPMFile(bitmap, parsed.positional[1]);
    return 0;
}
