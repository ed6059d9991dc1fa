#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The folders the tree lists below the folder, in the tree's order.
QStringList Listed(const TFolderTree &tree, const QString &folder)
{
    const auto *model = static_cast<const QFileSystemModel *>(tree.model());
    const QModelIndex parent = model->index(QDir(folder).absolutePath());
    QStringList names;
    for (int row = 0; row < model->rowCount(parent); ++row)
        names << model->index(row, 0, parent).data().toString();
    return names;
}

QStringList OnDisk(const QString &folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// Until the tree lists the folders that are on disk (in any order); then the
// events the change left behind run.
bool ListedAsOnDisk(const TFolderTree &tree, const QString &folder)
{
    const bool listed = WaitFor([&] {
        QStringList names = Listed(tree, folder);
        names.sort();
        return names == OnDisk(folder);
    });
    QCoreApplication::processEvents();
    return listed;
}

// True while the tree has a scroll to the chosen folder in store.
bool ScrollPending(const TFolderTree &tree)
{
    for (const QTimer *timer : tree.findChildren<QTimer *>(Qt::FindDirectChildrenOnly))
        if (timer->isActive())
            return true;
    return false;
}

} // namespace

TEST(FolderTree, SelectsFoldersByPathAndSignalsEachChange)
{
    TestFolder root;
    QDir(root.Root()).mkpath("a/b");
    TFolderTree tree;
    int changes = 0;
    QObject::connect(&tree, &TFolderTree::FolderChanged, [&changes] { ++changes; });
    EXPECT_EQ(tree.SelectedFolder(), "");
    const QString b = QDir(root.Path("a/b")).absolutePath();
    ASSERT_TRUE(tree.SelectFolder(b + "/"));
    EXPECT_EQ(tree.SelectedFolder(), b);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(tree.SelectFolder(b));
    EXPECT_EQ(changes, 1); // the same folder again is no change
    EXPECT_FALSE(tree.SelectFolder(root.Path("missing")));
    EXPECT_FALSE(tree.SelectFolder(root.Write("file.jpg", "x")));
    EXPECT_FALSE(tree.SelectFolder(""));
    EXPECT_EQ(tree.SelectedFolder(), b);
    ASSERT_TRUE(tree.SelectFolder("/"));
    EXPECT_EQ(tree.SelectedFolder(), "/");
    EXPECT_EQ(changes, 2);
}

TEST(FolderTree, KeepsTheChosenFolderWhileOthersComeAndGoBesideIt)
{
    TestFolder root;
    for (const char *name : {"c", "x"})
        QDir(root.Root()).mkpath(name);
    TFolderTree tree;
    tree.resize(200, 400);
    tree.show();
    ASSERT_TRUE(tree.SelectFolder(root.Path("c")));
    ASSERT_TRUE(ListedAsOnDisk(tree, root.Root()));
    // The chosen folder is new: the tree learns of it when it is selected.
    QDir(root.Root()).mkpath("m");
    const QString chosen = QDir(root.Path("m")).absolutePath();
    ASSERT_TRUE(tree.SelectFolder(chosen));
    int changes = 0;
    QObject::connect(&tree, &TFolderTree::FolderChanged, [&changes] { ++changes; });
    // Folders appear and vanish before and after the chosen one, as other
    // programs' scratch folders do; the tree takes in each change.
    for (int round = 0; round < 40; ++round) {
        QDir(root.Root()).mkdir(QString("a%1").arg(round));
        QDir(root.Root()).mkdir(QString("z%1").arg(round));
        ASSERT_TRUE(ListedAsOnDisk(tree, root.Root())) << round;
        QDir(root.Root()).rmdir(QString("a%1").arg(round));
        if (round % 3 == 0)
            QDir(root.Root()).rmdir(QString("z%1").arg(round));
        ASSERT_TRUE(ListedAsOnDisk(tree, root.Root())) << round;
        ASSERT_EQ(tree.SelectedFolder(), chosen) << round;
    }
    EXPECT_EQ(changes, 0);

    // When the chosen folder itself goes, the tree follows its new current row.
    QDir(root.Root()).rmdir("m");
    ASSERT_TRUE(WaitFor([&] { return changes > 0; }, 5000));
    EXPECT_NE(tree.SelectedFolder(), chosen);
}

TEST(FolderTree, TheChosenFolderStaysInViewWhileItsNeighboursLoadUntilTheUserScrolls)
{
    TestFolder root;
    // The chosen folder sorts last among many, so every row that the
    // background reader adds above it pushes it further down.
    for (int i = 0; i < 150; ++i)
        QDir(root.Root()).mkpath(QString("f%1").arg(i, 3, 10, QChar('0')));
    QDir(root.Root()).mkpath("zz/chosen");
    TFolderTree tree;
    tree.resize(200, 150);
    tree.show();
    const QString chosen = QDir(root.Path("zz/chosen")).absolutePath();
    ASSERT_TRUE(tree.SelectFolder(chosen));
    auto inView = [&tree] {
        const QRect row = tree.visualRect(tree.currentIndex());
        return row.isValid() && row.top() >= 0 && row.bottom() < tree.viewport()->height();
    };
    // Settled: every neighbour listed in order, the last scroll done; the
    // chosen folder is in view.
    ASSERT_TRUE(WaitFor([&] { return Listed(tree, root.Root()) == OnDisk(root.Root()) && !ScrollPending(tree); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(inView());

    // The user scrolls away; a later change of size no longer pulls the
    // tree back to the chosen folder.
    tree.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(tree.verticalScrollBar()->value(), 0);
    tree.resize(200, 160);
    ASSERT_TRUE(WaitFor([&] { return tree.height() == 160 && !ScrollPending(tree); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(tree.verticalScrollBar()->value(), 0);
    EXPECT_FALSE(inView());
}

TEST(FolderTree, AFolderChosenByTheProgramLeavesTheNamesReadableFromTheLeft)
{
    TestFolder root;
    const QString deep = "a folder with a long name/another long folder name/and one more level/the chosen folder";
    QDir(root.Root()).mkpath(deep + "/below");
    QDir(root.Root()).mkpath("a folder with a long name/a sibling with a long name");
    TFolderTree tree;
    tree.resize(160, 300);
    tree.show();
    QScrollBar *sideways = tree.horizontalScrollBar();
    ASSERT_TRUE(tree.SelectFolder(root.Path(deep)));
    // The tree is wider than its view, and stays at its left edge while the
    // folders load and the chosen one is kept in view.
    ASSERT_TRUE(WaitFor([&] { return sideways->maximum() > 0; }));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(sideways->value(), 0);
    // Where the user scrolled it, it stays when the program chooses again.
    sideways->setValue(sideways->maximum() / 2);
    ASSERT_TRUE(tree.SelectFolder(root.Path("a folder with a long name/a sibling with a long name")));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(sideways->value(), sideways->maximum() / 2);
}
