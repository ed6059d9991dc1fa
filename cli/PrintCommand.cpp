#include "cli/PrintCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "common/VistranoError.h"
#include "print/SheetComposition.h"

#include <QFile>
#include <QPdfWriter>

#include <cstdio>

namespace {

struct PrintOptions
{
    QPageSize::PageSizeId Paper = QPageSize::Letter;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    int Dpi = 600;
};

QPageSize::PageSizeId ParsePaper(const QString &text)
{
    if (text == QLatin1String("letter"))
        return QPageSize::Letter;
    if (text == QLatin1String("a4"))
        return QPageSize::A4;
    if (text == QLatin1String("legal"))
        return QPageSize::Legal;
    throw UsageError();
}

} // namespace

int RunPrint(const QStringList &args)
{
    const CliArguments parsed = CliArguments::Parse(args, {QStringLiteral("--paper"), QStringLiteral("--dpi")}, 2, 2,
                                                    {QStringLiteral("--landscape")});
    PrintOptions options;
    if (parsed.options.contains(QStringLiteral("--paper")))
        options.Paper = ParsePaper(parsed.options.value(QStringLiteral("--paper")));
    if (parsed.options.contains(QStringLiteral("--dpi")))
        options.Dpi = ParseIntArgument(parsed.options.value(QStringLiteral("--dpi")), 72, 1200);
    if (parsed.flags.contains(QStringLiteral("--landscape")))
        options.Orientation = QPageLayout::Landscape;
    const QStringList &paths = parsed.positional;

    const CliProject project = OpenWholeProject(paths[0]);
    const QList<const RectBoxProperties *> slides(project.slides.begin(), project.slides.end());

    // The sheet goes to a file beside the target and takes its place only
    // when it is complete.
    const QString partial = paths[1] + QStringLiteral(".part");
    int pages = 0;
    try {
        QPdfWriter writer(partial);
        writer.setCreator(QStringLiteral("Vistrano"));
        writer.setTitle(QStringLiteral("Vistrano slides"));
        writer.setResolution(options.Dpi);
        writer.setPageLayout(QPageLayout(QPageSize(options.Paper), options.Orientation, QMarginsF()));
        TSheetReport report;
        report.Message = [](const QString &text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); };
        pages = ComposeSlideSheet(writer, slides, report);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    QFile::remove(paths[1]);
    if (!QFile::rename(partial, paths[1])) {
        QFile::remove(partial);
        throw VistranoError(QStringLiteral("Cannot create file %1").arg(paths[1]));
    }
    std::printf("%d pages\n", pages);
    return 0;
}
