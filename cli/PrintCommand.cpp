#include "cli/PrintCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "print/SheetPdfFile.h"

#include <cstdio>

namespace {

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
    QPageSize::PageSizeId paper = QPageSize::Letter;
    if (parsed.options.contains(QStringLiteral("--paper")))
        paper = ParsePaper(parsed.options.value(QStringLiteral("--paper")));
    TSheetPdfOptions pdf;
    if (parsed.options.contains(QStringLiteral("--dpi")))
        pdf.Resolution = ParseIntArgument(parsed.options.value(QStringLiteral("--dpi")), 72, 1200);
    const bool landscape = parsed.flags.contains(QStringLiteral("--landscape"));
    pdf.Layout = QPageLayout(QPageSize(paper), landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    const QStringList &paths = parsed.positional;

    const CliProject project = OpenWholeProject(paths[0]);
    const QList<const RectBoxProperties *> slides(project.slides.begin(), project.slides.end());
    TSheetReport report;
    report.Message = [](const QString &text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); };
    // The sheet replaces the PDF only once it is complete.
    const int pages = PrintSlideSheetToPdf(paths[1], slides, pdf, report, {paths[0]});
    std::printf("%d pages\n", pages);
    return 0;
}
