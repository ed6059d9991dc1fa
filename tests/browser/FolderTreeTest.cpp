#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

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
    WaitFor([] { return false; }, 200);
    // The chosen folder is new: the tree learns of it when it is selected.
    QDir(root.Root()).mkpath("m");
    const QString chosen = QDir(root.Path("m")).absolutePath();
    ASSERT_TRUE(tree.SelectFolder(chosen));
    int changes = 0;
    QObject::connect(&tree, &TFolderTree::FolderChanged, [&changes] { ++changes; });
    // Folders appear and vanish before and after the chosen one, as other
    // programs' scratch folders do.
    for (int round = 0; round < 40; ++round) {
        QDir(root.Root()).mkdir(QString("a%1").arg(round));
        QDir(root.Root()).mkdir(QString("z%1").arg(round));
        WaitFor([] { return false; }, 15);
        QDir(root.Root()).rmdir(QString("a%1").arg(round));
        if (round % 3 == 0)
            QDir(root.Root()).rmdir(QString("z%1").arg(round));
        WaitFor([] { return false; }, 15);
    }
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(tree.SelectedFolder(), chosen);
    EXPECT_EQ(changes, 0);

    // When the chosen folder itself goes, the tree follows its new current row.
    QDir(root.Root()).rmdir("m");
    ASSERT_TRUE(WaitFor([&] { return changes > 0; }, 5000));
    EXPECT_NE(tree.SelectedFolder(), chosen);
}
