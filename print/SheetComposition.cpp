#include "print/SheetComposition.h"

#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"
#include "imaging/Rotation.h"
#include "print/SheetCellPicture.h"
#include "print/SheetDevice.h"
#include "print/SheetLayout.h"
#include "print/SheetText.h"
#include "print/SheetTextBlock.h"
#include "project/RectBoxProperties.h"
#include "shell/GaugePercent.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include <new>

QString ResourceErrorText()
{
    return QStringLiteral("Resource error");
}

QString OutOfResourcesText()
{
    return QStringLiteral(
        "Out of System Resources! To print this page, try reducing your DPI setting under Properties/Printer");
}

namespace {

class TSheetJob
{
public:
    TSheetJob(QPagedPaintDevice &device, const TSheetReport &report) : m_device(device), m_report(report) {}

    int Print(const QList<const RectBoxProperties *> &slides)
    {
        const TSheetDevice device = SheetDeviceOf(m_device);
        m_metrics = SheetMetrics(device.DpiX, device.DpiY, device.Page.width(), device.Page.height());
        if (!m_painter.begin(&m_device))
            throw VistranoError(QCoreApplication::translate("Print", "The print job could not be started"));
        m_painter.translate(-device.PaintOrigin);
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(6);
        m_painter.setFont(font);
        m_painter.setBackgroundMode(Qt::TransparentMode);
        m_painter.setPen(Qt::black);

        int pages = 1;
        TSheetCell place = FirstSheetCell(m_metrics);
        PrintFooter();
        const int count = int(slides.size());
        for (int n = 1; n <= count; ++n) {
            const RectBoxProperties &slide = *slides[n - 1];
            QImage picture = LoadPictureFile(slide.FileName(), JPEGReadScale::Whole);
            ApplyRotation(picture, slide.Rotation());
            PrintCell(picture, place.Cell.ToQRect());
            picture = QImage();
            DrawTextBlock(m_painter, place.Text.ToQRect(), SlideSheetText(n, slide));
            if (m_report.Gauge)
                m_report.Gauge(GaugePercent(n, count));
            bool newPage = false;
            place = NextSheetCell(m_metrics, place, newPage);
            if (newPage) {
                if (!m_device.newPage())
                    throw VistranoError(QCoreApplication::translate("Print", "The printer did not take a new page"));
                ++pages;
                PrintFooter();
            }
        }
        m_painter.end();
        return pages;
    }

private:
    void PrintFooter()
    {
        const QPoint at = SheetFooterPosition(m_metrics);
        m_painter.drawText(QRect(at, QSize(m_metrics.RightLimit + m_metrics.Margin, m_metrics.TextHeight)),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                           SheetFooterText());
    }

    // The white of the cell is the paper's: only the part the picture covers
    // goes to the printer, at the device's own pixels.
    void PrintCell(const QImage &picture, const QRect &cell)
    {
        const QRect target = CellPictureRect(cell, picture.size());
        if (target.isEmpty())
            return;
        try {
            const QImage scaled = ScaleCellPicture(picture, target.size());
            if (scaled.isNull()) {
                ReportResourceError();
                return;
            }
            m_painter.drawImage(target.topLeft(), scaled);
        } catch (const std::bad_alloc &) {
            Report(OutOfResourcesText());
        }
    }

    // Memory that cannot be had for one cell is short for the next ones too:
    // it is said once.
    void ReportResourceError()
    {
        if (m_resourceErrorShown)
            return;
        m_resourceErrorShown = true;
        Report(ResourceErrorText());
    }

    void Report(const QString &text)
    {
        if (m_report.Message)
            m_report.Message(text);
    }

    QPagedPaintDevice &m_device;
    const TSheetReport &m_report;
    TSheetMetrics m_metrics;
    QPainter m_painter;
    bool m_resourceErrorShown = false;
};

} // namespace

int ComposeSlideSheet(QPagedPaintDevice &device, const QList<const RectBoxProperties *> &slides,
                      const TSheetReport &report)
{
    TSheetJob job(device, report);
    return job.Print(slides);
}
