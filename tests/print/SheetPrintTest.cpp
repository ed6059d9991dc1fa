#include "PdfReading.h"

#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "print/SheetComposition.h"
#include "print/SlideSheetPrinting.h"
#include "project/RectBoxProperties.h"
#include "shell/StatusBar.h"
#include "tests/support/RequiredTools.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Slides made in the test, and the pointers the print command takes.
class Slides
{
public:
    RectBoxProperties &Add(const QString &file, double duration = 5, double transition = 0,
                           const QString &caption = {}, int rotation = 0)
    {
        m_boxes.push_back(std::make_unique<RectBoxProperties>());
        RectBoxProperties &box = *m_boxes.back();
        box.SetFileName(file);
        box.SetAbLeft(duration);
        box.SetAbTop(transition);
        box.SetCaption(caption);
        box.SetRotation(rotation);
        m_list.append(&box);
        return box;
    }
    const QList<const RectBoxProperties *> &List() const { return m_list; }

private:
    std::vector<std::unique_ptr<RectBoxProperties>> m_boxes;
    QList<const RectBoxProperties *> m_list;
};

QString WriteJpeg(const TestFolder &folder, const QString &name, QSize size, QColor left, QColor right = {})
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(left);
    if (right.isValid()) {
        QPainter painter(&picture);
        painter.fillRect(QRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height()), right);
    }
    const QString path = folder.Path(name);
    EXPECT_TRUE(picture.save(path, "JPG", 95));
    return path;
}

bool Near(QRgb pixel, QColor colour, int tolerance = 40)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance && std::abs(qGreen(pixel) - colour.green()) <= tolerance
        && std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Device pixels at 600 dots an inch, in PDF points.
double Points(int pixels)
{
    return pixels * 72.0 / 600.0;
}

class SheetPrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        REQUIRE_TOOLS("pdftotext", "pdfinfo", "pdfimages", "pdftoppm");
    }

    void PrintToPdf(const QString &pdf, const Slides &slides, TStatusBar &status)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        RunSlideSheetJob(printer, &status, slides.List());
    }

    const TFileFormatRegistration m_formats;
    TestFolder m_folder;
};

} // namespace

TEST_F(SheetPrint, LetterSheetThroughThePrintCommand)
{
    Slides slides;
    slides.Add(WriteJpeg(m_folder, "landscape.jpg", {300, 200}, QColor(0, 160, 0)), 5, 1, "Green field");
    slides.Add(WriteJpeg(m_folder, "portrait.jpg", {200, 300}, QColor(0, 0, 200)), 2.5, 3, "Blue sky");
    slides.Add(WriteJpeg(m_folder, "halves.jpg", {200, 100}, QColor(220, 0, 0), QColor(0, 0, 220)), 4, 2, "", 90);
    slides.Add(m_folder.Path("missing.jpg"), 6, 4, "Gone");
    for (int i = 5; i <= 10; ++i)
        slides.Add(WriteJpeg(m_folder, QStringLiteral("grey%1.jpg").arg(i), {64, 48}, QColor(128, 128, 128)), i, 0);
    QString caption;
    for (int i = 1; i <= 200; ++i)
        caption += QStringLiteral("word%1 ").arg(i, 3, 10, QLatin1Char('0'));
    const_cast<RectBoxProperties *>(slides.List()[8])->SetCaption(caption);

    const QString pdf = m_folder.Path("sheet.pdf");
    TStatusBar status;
    status.SetGauge(40);
    PrintToPdf(pdf, slides, status);
    EXPECT_EQ(status.PanelText(TStatusBar::ThumbnailsPanel), "Sent to " + pdf);
    EXPECT_EQ(status.Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Nine slides on the first page, the tenth on the second.
    const QString info = PdfInfo(pdf);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792 pts")) << info.toStdString();

    const QList<PdfWord> words = PdfWords(pdf);
    // The text blocks start a tenth of an inch below their cells: (300, 1560),
    // (1650, 1560), and the second row 2010 further down.
    const PdfWord first = FindWord(words, 1, "1.");
    ASSERT_EQ(first.Page, 1);
    EXPECT_NEAR(first.XMin, Points(300), 1.5);
    EXPECT_NEAR(first.YMin, Points(1560) + 1, 2);
    const PdfWord second = FindWord(words, 1, "2.");
    EXPECT_NEAR(second.XMin, Points(1650), 1.5);
    EXPECT_NEAR(second.YMin, first.YMin, 0.5);
    EXPECT_NEAR(FindWord(words, 1, "3.").XMin, Points(3000), 1.5);
    const PdfWord fourth = FindWord(words, 1, "4.");
    EXPECT_NEAR(fourth.XMin, Points(300), 1.5);
    EXPECT_NEAR(fourth.YMin - first.YMin, Points(2010), 0.5);
    EXPECT_NEAR(FindWord(words, 1, "7.").YMin - first.YMin, Points(4020), 0.5);
    const PdfWord tenth = FindWord(words, 2, "10.");
    ASSERT_EQ(tenth.Page, 2);
    EXPECT_NEAR(tenth.XMin, first.XMin, 0.5);
    EXPECT_NEAR(tenth.YMin, first.YMin, 0.5);

    // The footer, once on every page, just below the bottom limit.
    for (int page : {1, 2}) {
        EXPECT_EQ(CountWords(words, page, "Vistrano"), 1);
        const PdfWord footer = FindWord(words, page, "Vistrano");
        EXPECT_NEAR(footer.XMin, Points(300), 1.5);
        EXPECT_NEAR(footer.YMin, Points(6304) + 1, 2);
        EXPECT_EQ(CountWords(words, page, "https://www.halvenor.com/vistrano"), 1);
        EXPECT_TRUE(PdfPageText(pdf, page).contains("Vistrano by Halvenor Software")) << page;
    }

    const QString page1 = PdfPageText(pdf, 1);
    for (const char *line : {"1. landscape.jpg", "Duration: 5", "Transition: Dissolve", "Caption: Green field",
                             "2. portrait.jpg", "Duration: 2.5", "Transition: Wipe From Right", "Caption: Blue sky",
                             "Transition: Wipe From Left", "4. missing.jpg", "Caption: Gone", "9. grey9.jpg",
                             "Caption: word001"})
        EXPECT_TRUE(page1.contains(line)) << line;
    // The caption too long for its block is cut off at the block's bottom.
    EXPECT_FALSE(page1.contains("word200"));
    EXPECT_FALSE(page1.contains("10. grey10.jpg"));
    EXPECT_TRUE(PdfPageText(pdf, 2).contains("10. grey10.jpg"));

    // Each picture goes to the printer at 600 dots an inch, at its fitted
    // size in a two-inch cell; the missing one leaves its cell to the paper.
    const QList<PdfImage> images = PdfImages(pdf);
    QList<QSize> sizes[3];
    for (const PdfImage &image : images) {
        ASSERT_GE(image.Page, 1);
        ASSERT_LE(image.Page, 2);
        sizes[image.Page].append(QSize(image.Width, image.Height));
        EXPECT_EQ(image.XPpi, 600);
    }
    ASSERT_EQ(sizes[1].size(), 8);
    EXPECT_EQ(sizes[1][0], QSize(1200, 800));
    EXPECT_EQ(sizes[1][1], QSize(800, 1200));
    EXPECT_EQ(sizes[1][2], QSize(600, 1200));
    EXPECT_EQ(sizes[1][3], QSize(1200, 900));
    EXPECT_EQ(sizes[2], QList<QSize>({QSize(1200, 900)}));

    // The pictures sit at the bottom left of their cells, on white. At 60
    // dots an inch the cells are 120 pixels wide, at x 30, 165 and 300.
    const QImage page = PdfPageImage(pdf, 1, 60);
    ASSERT_EQ(page.size(), QSize(510, 660));
    const QColor white(255, 255, 255);
    EXPECT_TRUE(Near(page.pixel(90, 50), white));                 // above the landscape picture
    EXPECT_TRUE(Near(page.pixel(90, 120), QColor(0, 160, 0)));    // the landscape picture
    EXPECT_TRUE(Near(page.pixel(200, 90), QColor(0, 0, 200)));    // the portrait picture
    EXPECT_TRUE(Near(page.pixel(270, 90), white));                // right of it
    // Turned a quarter clockwise, the left half comes out on top.
    EXPECT_TRUE(Near(page.pixel(330, 60), QColor(220, 0, 0)));
    EXPECT_TRUE(Near(page.pixel(330, 125), QColor(0, 0, 220)));
    EXPECT_TRUE(Near(page.pixel(400, 90), white));
    // The missing picture leaves its cell white (second row, first cell).
    for (int y = 235; y < 350; y += 20)
        EXPECT_TRUE(Near(page.pixel(90, y), white, 8)) << y;
}

TEST_F(SheetPrint, EmptyStripAndAPictureThatCannotBeRead)
{
    TStatusBar status;
    const QString empty = m_folder.Path("empty.pdf");
    PrintToPdf(empty, Slides(), status);
    EXPECT_TRUE(PdfInfo(empty).contains(QRegularExpression("Pages:\\s+1\\n")));
    EXPECT_TRUE(PdfPageText(empty, 1).contains("Vistrano by Halvenor Software https://www.halvenor.com/vistrano"));
    // Two blanks before the address: twice the gap between two words.
    const QList<PdfWord> words = PdfWords(empty);
    const double oneBlank = FindWord(words, 1, "Halvenor").XMin - FindWord(words, 1, "by").XMax;
    const double twoBlanks = FindWord(words, 1, "https://www.halvenor.com/vistrano").XMin
        - FindWord(words, 1, "Software").XMax;
    EXPECT_GT(oneBlank, 0.5);
    EXPECT_NEAR(twoBlanks / oneBlank, 2.0, 0.35);
    EXPECT_EQ(status.PanelText(TStatusBar::ThumbnailsPanel), "Sent to " + empty);
    EXPECT_TRUE(PdfImages(empty).isEmpty());

    // A file the loader refuses stops the sheet with its message; the status
    // bar and cursor are put back, and a PDF file is not written at all: it
    // takes the place of the old one only when complete.
    Slides slides;
    slides.Add(WriteJpeg(m_folder, "good.jpg", {40, 30}, Qt::red));
    slides.Add(m_folder.Write("broken.png", QByteArray("not a picture at all", 20)));
    slides.Add(WriteJpeg(m_folder, "after.jpg", {40, 30}, Qt::red));
    const QString stopped = m_folder.Write("stopped.pdf", "%PDF the old sheet");
    status.SetGauge(0);
    try {
        PrintToPdf(stopped, slides, status);
        ADD_FAILURE() << "the broken picture was printed";
    } catch (const VistranoError &error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
    EXPECT_EQ(status.PanelText(TStatusBar::ThumbnailsPanel), "");
    EXPECT_EQ(status.Gauge(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ReadFileBytes(stopped), QByteArray("%PDF the old sheet"));
    EXPECT_EQ(QDir(m_folder.Root()).entryList({".stopped.pdf.*"}, QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(SheetPrint, ComposedOnAPdfWriterWithMargins)
{
    Slides slides;
    const QString picture = WriteJpeg(m_folder, "p.jpg", {30, 20}, Qt::darkCyan);
    for (int i = 0; i < 8; ++i)
        slides.Add(picture, 3, 5, QStringLiteral("caption %1").arg(i + 1));

    const QString pdf = m_folder.Path("writer.pdf");
    QList<int> gauges;
    QStringList messages;
    int pages = 0;
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        TSheetReport report;
        report.Gauge = [&](int percent) { gauges.append(percent); };
        report.Message = [&](const QString &text) { messages.append(text); };
        pages = ComposeSlideSheet(writer, slides.List(), report);
    }
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(gauges, QList<int>({12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_TRUE(messages.isEmpty());

    // Measured from the paper's corner, whatever the writer's margins: at 300
    // dots an inch the first text block starts at (150, 780).
    const QList<PdfWord> words = PdfWords(pdf);
    const PdfWord first = FindWord(words, 1, "1.");
    EXPECT_NEAR(first.XMin, 150 * 72.0 / 300, 1.5);
    EXPECT_NEAR(first.YMin, 780 * 72.0 / 300 + 1, 2);
    EXPECT_NEAR(FindWord(words, 1, "3.").XMin, 1500 * 72.0 / 300, 1.5);
    EXPECT_TRUE(PdfPageText(pdf, 1).contains("Transition: Wipe From Bottom"));
    for (const PdfImage &image : PdfImages(pdf)) {
        EXPECT_EQ(QSize(image.Width, image.Height), QSize(600, 400));
        EXPECT_EQ(image.XPpi, 300);
    }
}
