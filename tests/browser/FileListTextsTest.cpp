#include "browser/FileListTexts.h"
#include "browser/PictureMasks.h"

#include <gtest/gtest.h>

TEST(PictureMasks, TheListHoldsTheClassicSeventeenTheJpegNamesAndThePhoneFormats)
{
    const QStringList masks = SplitMaskList(kPictureFileMasks);
    ASSERT_EQ(masks.size(), 24);
    EXPECT_EQ(masks.front(), "*.jpg");
    EXPECT_EQ(masks[16], "*.tga");
    EXPECT_EQ(masks.mid(17), QStringList({"*.jpeg", "*.jpe", "*.jfif", "*.heic", "*.heif", "*.avif", "*.webp"}));
    // Text after the last semicolon is not a mask.
    EXPECT_EQ(SplitMaskList("*.a;*.b;*.c"), QStringList({"*.a", "*.b"}));
    EXPECT_TRUE(SplitMaskList("no semicolon").isEmpty());
}

TEST(PictureMasks, MatchingIgnoresLetterCaseAndNeedsTheWholeName)
{
    EXPECT_TRUE(MatchesMask(u"a.JPG", u"*.jpg"));
    EXPECT_TRUE(MatchesMask(u"b.Tga", u"*.tga"));
    EXPECT_TRUE(MatchesMask(u"holiday.photo.jpg", u"*.jpg"));
    EXPECT_FALSE(MatchesMask(u"README", u"*.jpg"));
    EXPECT_FALSE(MatchesMask(u"a.jpg.txt", u"*.jpg"));
    EXPECT_FALSE(MatchesMask(u"a.jpeg", u"*.jpg"));
    EXPECT_TRUE(MatchesMask(u"ab.c", u"a?.c"));
    EXPECT_FALSE(MatchesMask(u"abc.c", u"a?.c"));
    EXPECT_TRUE(MatchesMask(u"x", u"*"));
    EXPECT_TRUE(MatchesMask(u"Ärger.PNG", u"ä*.png"));
    const QStringList masks = SplitMaskList(kPictureFileMasks);
    EXPECT_EQ(MatchingMask(u"c.txt", masks), -1);
    EXPECT_EQ(MatchingMask(u"c.JFIF", masks), 19);
    // A long name against a mask with many stars stays quick.
    EXPECT_FALSE(MatchesMask(QString(5000, 'a'), u"*a*a*a*a*a*b"));
}

TEST(FileListTexts, SizeIsKibPlusOne)
{
    EXPECT_EQ(SizeText(0), "1");
    EXPECT_EQ(SizeText(1023), "1");
    EXPECT_EQ(SizeText(1024), "2");
    EXPECT_EQ(SizeText(2047), "2");
    EXPECT_EQ(SizeText(2048), "3");
    EXPECT_EQ(SizeText(qint64(5) << 30), "5242881");
}

TEST(FileListTexts, TypeIsThreeUpperCaseLettersOfTheExtension)
{
    EXPECT_EQ(TypeText("a.jpg"), "JPG");
    EXPECT_EQ(TypeText("b.Tga"), "TGA");
    EXPECT_EQ(TypeText("c.jpeg"), "JPE");
    EXPECT_EQ(TypeText("d.tar.pcx"), "PCX");
    EXPECT_EQ(TypeText("README"), "");
    EXPECT_EQ(TypeText("e."), "");
    // Only a to z are upper-cased.
    EXPECT_EQ(TypeText("f.\u00e9x"), "\u00e9X");
}

TEST(FileListTexts, ModifiedTimeIsKeptToTwoSecondsInLocalTime)
{
    const QDateTime odd(QDate(2024, 5, 17), QTime(13, 45, 13, 900));
    EXPECT_EQ(ListedModifiedTime(odd), QDateTime(QDate(2024, 5, 17), QTime(13, 45, 12)));
    const QDateTime even(QDate(2024, 5, 17), QTime(13, 45, 12, 1));
    EXPECT_EQ(ListedModifiedTime(even), QDateTime(QDate(2024, 5, 17), QTime(13, 45, 12)));
    const QDateTime utc(QDate(2024, 5, 17), QTime(10, 0, 0), Qt::UTC);
    EXPECT_EQ(ListedModifiedTime(utc), utc.toLocalTime());
}

TEST(FileListTexts, ModifiedTextIsShortDateAndLongTimeWithoutZone)
{
    const ModifiedTextFormat c(QLocale::c());
    EXPECT_EQ(c.Text(QDateTime(QDate(2024, 5, 7), QTime(13, 45, 12))), "7 May 2024 13:45:12");
    // At exactly midnight the time is left out; one second past midnight is
    // kept to two seconds and so is midnight too.
    EXPECT_EQ(c.Text(QDateTime(QDate(2024, 5, 7), QTime(0, 0))), "7 May 2024");
    EXPECT_EQ(c.Text(ListedModifiedTime(QDateTime(QDate(2024, 5, 7), QTime(0, 0, 1)))), "7 May 2024");
    EXPECT_EQ(c.Text(QDateTime(QDate(2024, 5, 7), QTime(0, 0, 2))), "7 May 2024 00:00:02");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_FALSE(ListTimeFormat(us).contains('t'));
    const ModifiedTextFormat usFormat(us);
    EXPECT_EQ(usFormat.Text(QDateTime(QDate(2024, 5, 7), QTime(13, 45, 12))), "5/7/24 1:45:12 PM");
    const ModifiedTextFormat german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.Text(QDateTime(QDate(2024, 5, 7), QTime(9, 5, 2))), "07.05.24 09:05:02");
}

TEST(PictureMasks, ThePreparedMatcherAnswersAsTheWildcards)
{
    const QStringList simple = SplitMaskList(kPictureFileMasks);
    const QStringList general = {"*.jpg", "a?c.*", "*.png"};
    const TMaskMatcher fast(simple), slow(general);
    for (const char *name : {"a.jpg", "A.JPG", "x.jpeg", "x.jpe", "x.JFIF", "y.tga.txt", "README", ".jpg", "a.b.pcx",
                             "abc.png", "abc.gif", "ab.png", "z."}) {
        EXPECT_EQ(fast.Match(QString(name)), MatchingMask(QString(name), simple)) << name;
        EXPECT_EQ(slow.Match(QString(name)), MatchingMask(QString(name), general)) << name;
    }
}

TEST(FileListTexts, TheConverterGivesTheListedLocalTime)
{
    TListedTimeConverter converter;
    const QDateTime winter(QDate(2024, 1, 15), QTime(8, 30, 15), Qt::UTC);
    const QDateTime summer(QDate(2024, 7, 15), QTime(23, 59, 59), Qt::UTC);
    const QDateTime old(QDate(1969, 12, 31), QTime(23, 0, 1), Qt::UTC);
    for (const QDateTime &time : {winter, summer, old, winter.addSecs(1)}) {
        const QDateTime listed = converter.Listed(time.toSecsSinceEpoch());
        const QDateTime expected = ListedModifiedTime(time);
        EXPECT_EQ(listed, expected) << time.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(listed.date(), expected.date());
        EXPECT_EQ(listed.time(), expected.time());
    }
}
