#include "browser/FileListFilling.h"
#include "browser/PictureMasks.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QStringList Captions(const std::vector<FileListItem> &items)
{
    QStringList captions;
    for (const FileListItem &item : items)
        captions << item.caption;
    return captions;
}

void SetTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

TEST(FileListFilling, ListsPlainPictureFilesOnlyGroupedByMask)
{
    TestFolder folder;
    folder.Write("a.JPG", QByteArray(10, 'x'));
    folder.Write("b.bmp", QByteArray(1024, 'x'));
    folder.Write("c.txt", "text");
    folder.Write(".d.jpg", "hidden");
    folder.Write("README", "no extension");
    folder.Write("f.jpeg", "jpeg");
    folder.Write("g.tga", "tga");
    QDir(folder.Root()).mkdir("e.jpg");
    QFile::link(folder.Path("b.bmp"), folder.Path("link.png"));
    QFile::link(folder.Path("missing.gif"), folder.Path("broken.gif"));

    const std::vector<FileListItem> items = ListPictureFiles(folder.Root(), SplitMaskList(kPictureFileMasks));
    // Grouped by the masks' order: jpg, bmp, png, tga, then jpeg.
    EXPECT_EQ(Captions(items), QStringList({"a.JPG", "b.bmp", "link.png", "g.tga", "f.jpeg"}));
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].sizeText, "1");
    EXPECT_EQ(items[0].typeText, "JPG");
    EXPECT_EQ(items[1].sizeText, "2");
    EXPECT_EQ(items[2].sizeText, "2"); // the link shows its target's size
    for (const FileListItem &item : items)
        EXPECT_EQ(item.imageIndex, -1);
}

TEST(FileListFilling, RowsCarryTheListedTimeAndItsText)
{
    TestFolder folder;
    const QString path = folder.Write("p.png", "x");
    SetTime(path, QDateTime(QDate(2023, 2, 3), QTime(4, 5, 7)));
    const std::vector<FileListItem> items =
        ListPictureFiles(folder.Root(), {"*.png"}, ModifiedTextFormat(QLocale::c()));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].modified, QDateTime(QDate(2023, 2, 3), QTime(4, 5, 6)));
    EXPECT_EQ(items[0].modifiedText, "3 Feb 2023 04:05:06");
}

TEST(FileListFilling, AMissingOrUnreadableFolderGivesNoRows)
{
    TestFolder folder;
    EXPECT_TRUE(ListPictureFiles(folder.Path("gone"), SplitMaskList(kPictureFileMasks)).empty());
    folder.Write("locked/a.jpg", "x");
    QFile::setPermissions(folder.Path("locked"), QFileDevice::WriteOwner);
    const bool readable = QDir(folder.Path("locked")).isReadable(); // root reads anyway
    const size_t rows = ListPictureFiles(folder.Path("locked"), {"*.jpg"}).size();
    QFile::setPermissions(folder.Path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(rows, readable ? 1u : 0u);
}

TEST(FileListFilling, ANameThatIsNotUtf8IsListedAndItsPictureOpens)
{
    const TFileFormatRegistration formats;
    TestFolder folder;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    ASSERT_TRUE(picture.save(folder.Path("good.bmp"), "BMP"));
    // The same picture under a Latin-1 name, "bad-" and the byte E9.
    const QByteArray latin1 = QFile::encodeName(folder.Root()) + "/bad-\xE9.bmp";
    ASSERT_EQ(::link(QFile::encodeName(folder.Path("good.bmp")).constData(), latin1.constData()), 0);

    const std::vector<FileListItem> items = ListPictureFiles(folder.Root(), {"bad*"});
    ASSERT_EQ(items.size(), 1u);
    const QImage loaded = LoadPictureFile(folder.Root() + QLatin1Char('/') + items[0].caption, JPEGReadScale::Whole);
    EXPECT_EQ(loaded.size(), QSize(4, 3));
}
