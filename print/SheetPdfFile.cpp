#include "print/SheetPdfFile.h"

#include "common/FileIdentity.h"
#include "common/FileReplacement.h"
#include "project/RectBoxProperties.h"

#include <QPdfWriter>

int PrintSlideSheetToPdf(const QString &path, const QList<const RectBoxProperties *> &slides,
                         const TSheetPdfOptions &options, const TSheetReport &report, const QStringList &otherInputs)
{
    QStringList inputs = otherInputs;
    for (const RectBoxProperties *slide : slides)
        inputs << slide->FileName();
    RefuseWritingOverInputs(path, inputs);

    FileReplacement file(path);
    int pages = 0;
    {
        QPdfWriter writer(&file.Device());
        writer.setCreator(QStringLiteral("Vistrano"));
        writer.setTitle(options.Title);
        writer.setResolution(options.Resolution);
        writer.setPageLayout(options.Layout);
        pages = ComposeSlideSheet(writer, slides, report);
    }
    file.Commit();
    return pages;
}
