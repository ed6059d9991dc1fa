#include "tests/cli/CliTestFiles.h"

#include <QDir>
#include <QScopeGuard>

#include <gtest/gtest.h>

#include <cstdio>

// A line per picture in name order (other files are not pictures of the
// list); a failed picture is a line and a reason, not an error of the
// command; a folder that cannot be read is one after the other folders. A
// name that is not UTF-8 is printed with the file system's bytes.
TEST(ThumbnailsCommand, MakesCachesAndFailsFilePerFile)
{
    TestFolder folder, cache;
    const QByteArray userCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.Root().toUtf8());
    const auto restore = qScopeGuard([&] { qputenv("XDG_CACHE_HOME", userCache); });
    NumberedPicture(30, 20).save(folder.Path("b.png"));
    NumberedPicture(20, 30).save(folder.Path("A.jpg"));
    folder.Write("c.bmp", "no bitmap");
    folder.Write("notes.txt", "no picture");
    const QByteArray a = QFile::encodeName(folder.Path("A.jpg"));
    const QByteArray b = QFile::encodeName(folder.Path("b.png"));
    const QByteArray c = QFile::encodeName(folder.Path("c.bmp"));
    const QByteArray z = QFile::encodeName(folder.Root()) + "/z\xE9.png";
    NumberedPicture(9, 7).save(folder.Path("z.png"));
    ASSERT_EQ(std::rename(QFile::encodeName(folder.Path("z.png")).constData(), z.constData()), 0);

    const CliRun first = RunCli({"thumbnails", folder.Root()});
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "made " + a + "\nmade " + b + "\nfailed " + c + "\nmade " + z + "\n");
    EXPECT_TRUE(first.err.contains(QString::fromUtf8(c) + ": ")) << first.err.toStdString();
    EXPECT_EQ(QDir(cache.Path("thumbnails/normal")).entryList(QDir::Files).size(), 3);

    const CliRun second = RunCli({"thumbnails", folder.Root(), folder.Path("missing"), "--threads", "1"});
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.out, "cached " + a + "\ncached " + b + "\nfailed " + c + "\ncached " + z + "\n");
    EXPECT_TRUE(second.err.contains("Cannot read the folder " + folder.Path("missing"))) << second.err.toStdString();
    EXPECT_EQ(RunCli({"thumbnails"}).status, 2);
}
