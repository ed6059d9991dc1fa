#include "browser/FileListModel.h"
#include "browser/FileListTexts.h"
#include "browser/ImageList.h"

#include <QItemSelectionModel>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<FileListItem> Rows(std::initializer_list<std::pair<const char *, qint64>> rows)
{
    std::vector<FileListItem> items;
    for (const auto &[name, size] : rows)
        items.push_back(MakeFileListItem(name, size, QDateTime(QDate(2024, 1, 1), QTime(1, 2, 4)),
                                         ModifiedTextFormat(QLocale::c())));
    return items;
}

} // namespace

TEST(FileListModel, ShowsTheFourColumnsWithTheirCaptions)
{
    TFileListModel model(nullptr);
    model.SetItems("/pics", Rows({{"a.jpg", 5000}}));
    ASSERT_EQ(model.columnCount(), 4);
    const QStringList headers = {"FileName", "Size", "Type", "Modified"};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), headers[column]);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "a.jpg");
    EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString(), "5");
    EXPECT_EQ(model.data(model.index(0, 2), Qt::DisplayRole).toString(), "JPG");
    EXPECT_EQ(model.data(model.index(0, 3), Qt::DisplayRole).toString(), "1 Jan 2024 01:02:04");
    EXPECT_EQ(model.FilePath(0), "/pics/a.jpg");
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsDragEnabled);
}

TEST(FileListModel, SortingMovesSelectionAndThumbnailsWithTheRows)
{
    TImageList images;
    QImage red(4, 4, QImage::Format_RGB888);
    red.fill(Qt::red);
    TFileListModel model(&images);
    model.SetItems("/pics", Rows({{"c.jpg", 1}, {"a.jpg", 3000}, {"b.jpg", 2000}}));
    QItemSelectionModel selection(&model);
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows); // a.jpg
    model.SetImageIndex(1, images.Add(red, "a.jpg"));

    model.Sort(0, true);
    EXPECT_EQ(model.Item(0).caption, "a.jpg");
    EXPECT_EQ(model.RowOfCaption("c.jpg"), 2);
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(selection.selectedRows().front().row(), 0);
    EXPECT_EQ(model.data(model.index(0, 0), TFileListModel::ThumbnailRole).value<QImage>(), red);
    EXPECT_FALSE(model.data(model.index(1, 0), TFileListModel::ThumbnailRole).isValid());

    model.Sort(1, false);
    EXPECT_EQ(model.Item(0).caption, "a.jpg");
    EXPECT_EQ(model.Item(2).caption, "c.jpg");
    model.ClearImageIndexes();
    EXPECT_EQ(model.Item(0).imageIndex, -1);
}

TEST(FileListModel, ADragCarriesThePathsOfTheSelectedRows)
{
    TFileListModel model(nullptr);
    model.SetItems("/my pics/", Rows({{"a.jpg", 1}, {"line\nbreak.jpg", 1}, {"c.jpg", 1}}));
    const std::unique_ptr<QMimeData> data(
        model.mimeData({model.index(2, 0), model.index(1, 3), model.index(2, 1), model.index(1, 0)}));
    EXPECT_EQ(FileListDragPaths(data.get()), QStringList({"/my pics/line\nbreak.jpg", "/my pics/c.jpg"}));
    ASSERT_EQ(data->urls().size(), 2);
    EXPECT_EQ(data->urls()[1], QUrl::fromLocalFile("/my pics/c.jpg"));

    QMimeData other;
    other.setUrls({QUrl::fromLocalFile("/x.jpg")});
    EXPECT_TRUE(FileListDragPaths(&other).isEmpty());
    EXPECT_TRUE(FileListDragPaths(nullptr).isEmpty());
}
