#include "cli/PrintCommand.h"

#include "cli/CliCommand.h"
#include "common/VistranoError.h"
#include "print/SheetComposition.h"
#include "project/ProjectFile.h"
#include "project/SlideLayout.h"

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

bool ParsePaper(const QString &text, PrintOptions &options)
{
    if (text == QLatin1String("letter"))
        options.Paper = QPageSize::Letter;
    else if (text == QLatin1String("a4"))
        options.Paper = QPageSize::A4;
    else if (text == QLatin1String("legal"))
        options.Paper = QPageSize::Legal;
    else
        return false;
    return true;
}

} // namespace

int RunPrint(const QStringList &args)
{
    QStringList paths;
    PrintOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            paths << arg;
        } else if (arg == QLatin1String("--landscape")) {
            options.Orientation = QPageLayout::Landscape;
        } else if (i + 1 >= args.size()) {
            throw UsageError();
        } else if (arg == QLatin1String("--paper")) {
            if (!ParsePaper(args[++i], options))
                throw UsageError();
        } else if (arg == QLatin1String("--dpi")) {
            bool ok = false;
            options.Dpi = args[++i].toInt(&ok);
            if (!ok || options.Dpi < 72 || options.Dpi > 1200)
                throw UsageError();
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
    QList<const RectBoxProperties *> slides;
    for (const RectBoxProperties *box : LayoutSlides(boxes))
        slides.append(box);

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
