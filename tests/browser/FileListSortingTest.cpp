#include "browser/FileListSorting.h"
#include "browser/FileListTexts.h"

#include <gtest/gtest.h>

namespace {

FileListItem Row(const QString &name, qint64 size, const QDateTime &time = QDateTime(QDate(2024, 1, 1), QTime(12, 0)))
{
    return MakeFileListItem(name, size, time, ModifiedTextFormat(QLocale::c()));
}

QStringList Sorted(const std::vector<FileListItem> &items, int column, bool ascending)
{
    QStringList names;
    for (int index : SortedFileListOrder(items, column, ascending))
        names << items[size_t(index)].caption;
    return names;
}

} // namespace

TEST(FileListSorting, NameSortIgnoresCaseOfAToZOnlyBothWays)
{
    const std::vector<FileListItem> items = {Row("b.jpg", 1), Row("A.jpg", 1), Row("_z.jpg", 1), Row("c.jpg", 1)};
    // "_" (0x5F) comes after the upper-case letters.
    EXPECT_EQ(Sorted(items, ColumnFileName, true), QStringList({"A.jpg", "b.jpg", "c.jpg", "_z.jpg"}));
    EXPECT_EQ(Sorted(items, ColumnFileName, false), QStringList({"_z.jpg", "c.jpg", "b.jpg", "A.jpg"}));
    EXPECT_EQ(CompareFileListItems(items[0], items[1], ColumnFileName, true), 1);
    EXPECT_EQ(CompareFileListItems(items[0], items[1], ColumnFileName, false), -1);
    EXPECT_EQ(CompareFileListItems(items[0], items[0], ColumnFileName, false), 0);
}

TEST(FileListSorting, ATextThatBeginsALongerOneIsTheSmaller)
{
    EXPECT_EQ(CompareKeyTexts("AB", "ABC"), -1);
    EXPECT_EQ(CompareKeyTexts("ABC", "AB"), 1);
    EXPECT_EQ(CompareKeyTexts("", ""), 0);
}

TEST(FileListSorting, SizeComparesNumbersAndKeepsEqualSizesInPlace)
{
    const std::vector<FileListItem> items = {Row("ten.jpg", 9 * 1024), Row("nine.jpg", 8 * 1024),
                                             Row("x.jpg", 100), Row("y.jpg", 200)};
    // 9 comes before 10 (text order would put "10" first).
    EXPECT_EQ(Sorted(items, ColumnSize, true), QStringList({"x.jpg", "y.jpg", "nine.jpg", "ten.jpg"}));
    EXPECT_EQ(Sorted(items, ColumnSize, false), QStringList({"ten.jpg", "nine.jpg", "x.jpg", "y.jpg"}));
    EXPECT_EQ(CompareFileListItems(items[2], items[3], ColumnSize, true), 0);
}

TEST(FileListSorting, TypeSortPutsSameTypesInNameOrder)
{
    const std::vector<FileListItem> items = {Row("b.png", 1), Row("a.PNG", 1), Row("c.bmp", 1), Row("B.bmp", 1)};
    EXPECT_EQ(Sorted(items, ColumnType, true), QStringList({"B.bmp", "c.bmp", "a.PNG", "b.png"}));
    EXPECT_EQ(Sorted(items, ColumnType, false), QStringList({"b.png", "a.PNG", "c.bmp", "B.bmp"}));
    EXPECT_EQ(FileListSortKey(items[1], ColumnType), "PNGA.PNG");
}

TEST(FileListSorting, ModifiedSortUsesTheDayNumberThenTheName)
{
    EXPECT_EQ(DayNumberText(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), "000000.00000000");
    EXPECT_EQ(DayNumberText(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), "000002.50000000");
    EXPECT_EQ(DayNumberText(QDateTime(QDate(2024, 1, 1), QTime(6, 0))), "045292.25000000");

    const QDateTime early(QDate(1999, 12, 31), QTime(23, 59, 58));
    const QDateTime late(QDate(2001, 1, 1), QTime(0, 0, 2));
    const std::vector<FileListItem> items = {Row("z.jpg", 1, late), Row("b.jpg", 1, early), Row("a.jpg", 1, early)};
    EXPECT_EQ(Sorted(items, ColumnModified, true), QStringList({"a.jpg", "b.jpg", "z.jpg"}));
    EXPECT_EQ(Sorted(items, ColumnModified, false), QStringList({"z.jpg", "b.jpg", "a.jpg"}));
    EXPECT_EQ(FileListSortKey(items[2], ColumnModified), DayNumberText(early) + "A.JPG");
}

TEST(FileListSorting, DatesSortRightWhereTheLocaleWritesTwoDigitYears)
{
    // "12/31/99" and "1/1/01" in a US locale: the key comes from the time
    // the text was written from, not from a reading of the text.
    const ModifiedTextFormat us(QLocale(QLocale::English, QLocale::UnitedStates));
    const FileListItem y1999 = MakeFileListItem("a.jpg", 1, QDateTime(QDate(1999, 12, 31), QTime(10, 0)), us);
    const FileListItem y2001 = MakeFileListItem("b.jpg", 1, QDateTime(QDate(2001, 1, 1), QTime(10, 0)), us);
    EXPECT_EQ(CompareFileListItems(y1999, y2001, ColumnModified, true), -1);
}
