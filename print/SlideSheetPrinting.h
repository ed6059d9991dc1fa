#pragma once

#include <QList>
#include <QString>

class QPrinter;
class QWidget;
class RectBoxProperties;
class TStatusBar;

// File > "Print": the printer dialog (a printer, or a PDF file for those who
// have none), then the slide sheet of the slides, given in slide order.
// Cancelling the dialog prints nothing and changes nothing. Errors that stop
// the sheet (a picture file that cannot be read) propagate to the caller's
// report after the status bar and the cursor are put back.
void PrintSlideSheet(QWidget *owner, TStatusBar *status, const QList<const RectBoxProperties *> &slides);

// The job on a printer already chosen: "Printing..." in panel 1, the busy
// cursor, the gauge after each slide, then "Sent to " and the printer's name
// (the file's path when printing to a file) and the gauge back at 0.
void RunSlideSheetJob(QPrinter &printer, TStatusBar *status, const QList<const RectBoxProperties *> &slides);

// True when the job goes to a PDF file rather than to a printer.
bool PrintsToFile(const QPrinter &printer);

// The name a print job carries in the status bar: the printer's, or the
// output file's path when the job goes to a file.
QString PrintDestinationName(const QPrinter &printer);

// Where the sheet goes when there is no printer at all.
QString DefaultSheetFileName();
