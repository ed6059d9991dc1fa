#include "print/SlideSheetPrinting.h"

#include "print/SheetComposition.h"
#include "print/SheetPdfFile.h"
#include "shell/BusyCursor.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

// The pictures are two inches wide: 600 dots an inch prints them sharp and
// keeps a PDF of a long show to a reasonable size.
constexpr int kMaxSheetResolution = 600;

// The job does not hand control to the event loop, so the status bar is
// painted on the spot.
void ShowStatus(TStatusBar *status, const QString *panel1, int gauge)
{
    if (!status)
        return;
    if (panel1)
        status->SetPanelText(TStatusBar::ThumbnailsPanel, *panel1);
    if (gauge >= 0)
        status->SetGauge(gauge);
    status->repaint();
}

} // namespace

bool PrintsToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

QString PrintDestinationName(const QPrinter &printer)
{
    if (PrintsToFile(printer))
        return QDir::toNativeSeparators(printer.outputFileName());
    return printer.printerName();
}

QString DefaultSheetFileName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Vistrano slides.pdf"));
}

void RunSlideSheetJob(QPrinter &printer, TStatusBar *status, const QList<const RectBoxProperties *> &slides)
{
    const QString printing = QStringLiteral("Printing...");
    ShowStatus(status, &printing, -1);
    const TBusyCursor busy;
    printer.setFullPage(true);
    if (printer.resolution() > kMaxSheetResolution)
        printer.setResolution(kMaxSheetResolution);
    if (printer.docName().isEmpty())
        printer.setDocName(QStringLiteral("Vistrano slides"));

    TSheetReport report;
    report.Gauge = [status](int percent) { ShowStatus(status, nullptr, percent); };
    report.Message = [](const QString &text) { ShowMessage(text); };
    try {
        if (PrintsToFile(printer)) {
            // A PDF file is written as every other file is: beside the old
            // one, which it replaces only when complete.
            TSheetPdfOptions pdf;
            const QPageLayout layout = printer.pageLayout();
            pdf.Layout = QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF());
            pdf.Resolution = printer.resolution();
            pdf.Title = printer.docName();
            PrintSlideSheetToPdf(printer.outputFileName(), slides, pdf, report);
        } else {
            ComposeSlideSheet(printer, slides, report);
        }
    } catch (...) {
        const QString nothing;
        ShowStatus(status, &nothing, 0);
        throw;
    }
    const QString sent = QStringLiteral("Sent to ") + PrintDestinationName(printer);
    ShowStatus(status, &sent, 0);
}

void PrintSlideSheet(QWidget *owner, TStatusBar *status, const QList<const RectBoxProperties *> &slides)
{
    QPrinter printer(QPrinter::HighResolution);
    // Without any printer the dialog offers only a file: give it a place the
    // user can write to rather than the working folder.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(DefaultSheetFileName());
    }
    QPrintDialog dialog(&printer, owner);
    // The sheet is printed whole: no page range, no selection.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RunSlideSheetJob(printer, status, slides);
}
