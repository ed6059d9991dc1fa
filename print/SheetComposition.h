#pragma once

#include <QList>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class RectBoxProperties;

// The messages of a cell that could not be printed; the sheet goes on.
QString ResourceErrorText();     // "Resource error"
QString OutOfResourcesText();    // "Out of System Resources! ..."

// How the sheet reports while it is printed: the gauge after each slide
// (n / count x 100, an exact half to even), and the messages above.
struct TSheetReport
{
    std::function<void(int percent)> Gauge;
    std::function<void(const QString &text)> Message;
};

// Prints the slides, in the order given, as the slide sheet on the device:
// each slide's picture loaded afresh at full size and turned by its rotation,
// in a two-inch cell with its text block below (Arial, 6 points), the footer
// on every page, a new page whenever the next place would end below the bottom
// limit. Measures are taken from the paper's corner, whatever margins the
// device keeps. A picture that loads empty (a missing JPEG) leaves its cell
// white; its text is printed all the same.
//
// Returns the number of pages. Fails with the loader's message when a
// picture file cannot be read; the pages printed until then are finished, so
// the job ends rather than being left half open.
int ComposeSlideSheet(QPagedPaintDevice &device, const QList<const RectBoxProperties *> &slides,
                      const TSheetReport &report = {});
