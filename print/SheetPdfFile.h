#pragma once

#include "print/SheetComposition.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class RectBoxProperties;

struct TSheetPdfOptions
{
    QPageLayout Layout;
    int Resolution = 600;
    QString Title = QStringLiteral("Vistrano slides");
};

// Prints the slide sheet into a PDF file. The PDF is written beside the file
// and takes its place only when it is complete and every write went through,
// so a full disk or a sheet that stops on an error says so and leaves the old
// file as it was. A read-only file is refused as every writer refuses one,
// and so is an output that is one of the sheet's own inputs: a slide's
// picture or one of `otherInputs` (the project it comes from). Returns the
// number of pages.
int PrintSlideSheetToPdf(const QString &path, const QList<const RectBoxProperties *> &slides,
                         const TSheetPdfOptions &options, const TSheetReport &report = {},
                         const QStringList &otherInputs = {});
