#include "about/MakerAddresses.h"
#include "print/SheetText.h"
#include "print/SheetTextBlock.h"
#include "project/RectBoxProperties.h"
#include "tests/support/TestFiles.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(SheetText, DurationInTheGeneralForm)
{
    EXPECT_EQ(GeneralFloatText(5), "5");
    EXPECT_EQ(GeneralFloatText(2.5), "2.5");
    EXPECT_EQ(GeneralFloatText(0), "0");
    EXPECT_EQ(GeneralFloatText(-2.5), "-2.5");
    EXPECT_EQ(GeneralFloatText(0.1), "0.1");
    EXPECT_EQ(GeneralFloatText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(GeneralFloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralFloatText(1e15), "1E15");
    EXPECT_EQ(GeneralFloatText(2.5e20), "2.5E20");
    EXPECT_EQ(GeneralFloatText(0.0001), "0.0001");
    EXPECT_EQ(GeneralFloatText(0.00001), "1E-5");
    EXPECT_EQ(GeneralFloatText(1.5e-7), "1.5E-7");

    // The user's decimal separator.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(GeneralFloatText(2.5), "2,5");
    EXPECT_EQ(GeneralFloatText(1000), "1000");
    QLocale::setDefault(saved);
}

TEST(SheetText, BlockUnderEachCell)
{
    EXPECT_EQ(SlideSheetText(3, "/pictures/holiday/beach.jpg", 2.5, 3, "Sunset"),
              "3. beach.jpg\nDuration: 2.5\nTransition: Wipe From Right\nCaption: Sunset");
    // The integer part of the code names the transition; a code that names
    // none leaves the name out rather than stopping the sheet.
    EXPECT_EQ(SlideSheetText(1, "a.jpg", 5, 1.9, ""), "1. a.jpg\nDuration: 5\nTransition: Dissolve\nCaption: ");
    EXPECT_EQ(SlideSheetText(1, "a.jpg", 5, 17, "x"), "1. a.jpg\nDuration: 5\nTransition: \nCaption: x");
    EXPECT_EQ(SlideSheetText(1, "a.jpg", 5, -3, "x"), "1. a.jpg\nDuration: 5\nTransition: \nCaption: x");
    // A caption's own line breaks, of any kind, become lines of the block.
    EXPECT_EQ(SlideSheetText(12, "b.png", 4, 0, "one\r\ntwo\rthree"),
              "12. b.png\nDuration: 4\nTransition: Cut\nCaption: one\ntwo\nthree");

    RectBoxProperties slide;
    slide.SetFileName("/p/c d.tif");
    slide.SetAbLeft(7);
    slide.SetAbTop(5);
    slide.SetCaption("At sea");
    EXPECT_EQ(SlideSheetText(2, slide), "2. c d.tif\nDuration: 7\nTransition: Wipe From Bottom\nCaption: At sea");

    EXPECT_EQ(SheetFooterText(), QStringLiteral("Vistrano by Halvenor Software  ") + kMakerWebAddress);
}

TEST(SheetText, BlockWrapsAndEndsAtItsBottom)
{
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(23622); // 600 dots an inch
    device.setDotsPerMeterY(23622);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(6);
    const QSize block(1200, 600);
    const QFontMetricsF metrics(font, &device);

    QString caption;
    for (int i = 1; i <= 200; ++i)
        caption += QStringLiteral("word%1 ").arg(i, 3, 10, QLatin1Char('0'));
    const QString text = SlideSheetText(1, "/x/" + QString(120, QLatin1Char('n')) + ".jpg", 5, 0, caption);
    const QList<TTextBlockLine> lines = LayoutTextBlock(text, font, &device, block);

    ASSERT_GE(lines.size(), 6);
    // The long file name has no blank to wrap at: it is broken inside and
    // goes on in the next lines, all of it shown.
    QString name;
    int nameLines = 0;
    for (const TTextBlockLine &line : lines) {
        if (line.Text.startsWith("Duration"))
            break;
        name += line.Text;
        ++nameLines;
    }
    EXPECT_GE(nameLines, 3);
    EXPECT_EQ(name.remove(' '), "1." + QString(120, QLatin1Char('n')) + ".jpg");
    QString all;
    int previousTop = -1;
    for (const TTextBlockLine &line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line.Text), block.width() + 0.5) << line.Text.toStdString();
        EXPECT_GT(line.Top, previousTop);
        EXPECT_LT(line.Top, block.height());
        previousTop = line.Top;
        all += line.Text + '\n';
    }
    EXPECT_TRUE(all.contains("Duration: 5\nTransition: Cut\nCaption: word001"));
    // Captions wrap between words, never inside one.
    for (const TTextBlockLine &line : lines) {
        if (line.Text.startsWith("word"))
            EXPECT_TRUE(QRegularExpression("^(word\\d{3} ?)+$").match(line.Text).hasMatch()) << line.Text.toStdString();
    }
    // The block is an inch high: the caption is cut off well before its end.
    EXPECT_TRUE(all.contains("word010"));
    EXPECT_FALSE(all.contains("word200"));

    EXPECT_TRUE(LayoutTextBlock(text, font, &device, QSize(0, 600)).isEmpty());
}
