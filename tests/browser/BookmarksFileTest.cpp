#include "browser/BookmarkEditing.h"
#include "browser/BookmarksFile.h"
#include "tests/support/ChildLimits.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(BookmarksFile, LinesEndAtCarriageReturnLineFeedOrThePair)
{
    EXPECT_EQ(ParseBookmarks("/a/\r\n/b/x.jpg\n/c/\r/d/"), QStringList({"/a/", "/b/x.jpg", "/c/", "/d/"}));
    EXPECT_EQ(ParseBookmarks("/a/\n\r\n\n/b/\r\n"), QStringList({"/a/", "/b/"}));
    EXPECT_TRUE(ParseBookmarks("").isEmpty());
    EXPECT_TRUE(ParseBookmarks("\r\n\r\n").isEmpty());
}

TEST(BookmarksFile, ReadsUtf8AndWindowsLinesSideBySide)
{
    const QByteArray bytes = "/Fotos/Sommer \xc3\xa9t\xc3\xa9/\r\nC:\\Bilder\\M\xfcnchen\\\r\n";
    EXPECT_EQ(ParseBookmarks(bytes),
              QStringList({QString::fromUtf8("/Fotos/Sommer été/"), QString::fromUtf8("C:\\Bilder\\München\\")}));
}

TEST(BookmarksFile, EveryLineIsWrittenWithItsEnd)
{
    EXPECT_EQ(SerializeBookmarks({"/a/", QString::fromUtf8("/b/é.jpg")}), QByteArray("/a/\r\n/b/\xc3\xa9.jpg\r\n"));
    EXPECT_EQ(SerializeBookmarks({}), QByteArray());

    TestFolder folder;
    const QString path = folder.Write("bookmrks.dat", "/a/\r\n/b/");
    std::optional<QStringList> read = ReadBookmarksFile(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, QStringList({"/a/", "/b/"}));
    WriteBookmarksFile(path, *read);
    EXPECT_EQ(ReadFileBytes(path), QByteArray("/a/\r\n/b/\r\n"));
    WriteBookmarksFile(path, {});
    EXPECT_EQ(QFile(path).size(), 0);
    ASSERT_TRUE(ReadBookmarksFile(path).has_value());
    EXPECT_TRUE(ReadBookmarksFile(path)->isEmpty());

    EXPECT_FALSE(ReadBookmarksFile(folder.Path("missing.dat")).has_value());
    // A folder that does not exist yet is made.
    WriteBookmarksFile(folder.Path("new/folder/bookmrks.dat"), {"/x/"});
    EXPECT_EQ(ReadFileBytes(folder.Path("new/folder/bookmrks.dat")), QByteArray("/x/\r\n"));
}

TEST(BookmarksFile, AFailedWriteReportsAndKeepsTheOldFile)
{
    TestFolder folder;
    const QString blocker = folder.Write("plainfile", "not a folder");
    EXPECT_TRUE(ErrorOf([&] { WriteBookmarksFile(blocker + "/bookmrks.dat", {"/a/"}); }).contains("plainfile"));

    // The disk fills up while the new list is written: the old list stays
    // whole, and nothing is left beside it.
    const QString path = folder.Write("bookmrks.dat", "/old/\r\n");
    ChildLimits fullDisk;
    fullDisk.fileSize = 64;
    const QStringList many(20, QStringLiteral("/a/folder/with/a/long/name/"));
    EXPECT_EQ(RunInChild(fullDisk, [&] {
                  return ErrorOf([&] { WriteBookmarksFile(path, many); }).contains("File too large") ? 1 : 0;
              }),
              1);
    EXPECT_EQ(ReadFileBytes(path), QByteArray("/old/\r\n"));
    EXPECT_EQ(QDir(folder.Root()).entryList(QDir::Files | QDir::Hidden), QStringList({"bookmrks.dat", "plainfile"}));
}

TEST(BookmarksFile, PartsOfABookmark)
{
    EXPECT_EQ(SplitBookmark("/pics/holiday/beach.jpg").folder, "/pics/holiday/");
    EXPECT_EQ(SplitBookmark("/pics/holiday/beach.jpg").file, "beach.jpg");
    EXPECT_EQ(SplitBookmark("/pics/holiday/").file, "");
    EXPECT_EQ(SplitBookmark("/").folder, "/");
    EXPECT_EQ(SplitBookmark("noslash").folder, "");
    EXPECT_EQ(SplitBookmark("noslash").file, "noslash");
    EXPECT_EQ(MakeBookmark("/pics"), "/pics/");
    EXPECT_EQ(MakeBookmark("/pics/", "a.jpg"), "/pics/a.jpg");
    EXPECT_EQ(MakeBookmark("", ""), "/");
    EXPECT_TRUE(HasBookmark({"/Pics/"}, "/PICS/"));
    EXPECT_FALSE(HasBookmark({"/Pics/"}, "/Pics/a.jpg"));
}

TEST(BookmarkEditing, UpDownAndDeleteKeepTheListSound)
{
    QStringList lines = {"1", "2", "3", "4", "5"};
    EXPECT_EQ(MoveBookmarkUp(lines, 0), 0);
    EXPECT_EQ(MoveBookmarkDown(lines, 4), 4);
    EXPECT_EQ(lines, QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(MoveBookmarkUp(lines, -1), -1);
    EXPECT_EQ(MoveBookmarkDown(lines, -1), -1);
    EXPECT_EQ(MoveBookmarkUp(lines, 2), 1);
    EXPECT_EQ(lines, QStringList({"1", "3", "2", "4", "5"}));
    EXPECT_EQ(MoveBookmarkDown(lines, 1), 2);
    EXPECT_EQ(lines, QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(DeleteBookmark(lines, 2), 0);
    EXPECT_EQ(lines, QStringList({"1", "2", "4", "5"}));
    EXPECT_EQ(DeleteBookmark(lines, -1), 0);
    EXPECT_EQ(lines.size(), 4);
    QStringList one = {"x"};
    EXPECT_EQ(DeleteBookmark(one, 0), -1);
    EXPECT_TRUE(one.isEmpty());
    QStringList none;
    EXPECT_EQ(MoveBookmarkDown(none, 0), 0);
    EXPECT_EQ(DeleteBookmark(none, 0), -1);
}
