#include "project/RecentProjects.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(RecentProjects, TheLatestFirstEachOnceAtMostEight)
{
    QStringList recent;
    for (int i = 1; i <= 10; ++i)
        recent = WithRecentProject(recent, QString("/p/%1.vsw").arg(i));
    ASSERT_EQ(recent.size(), 8);
    EXPECT_EQ(recent.front(), "/p/10.vsw");
    EXPECT_EQ(recent.back(), "/p/3.vsw");
    // The same file named another way moves up instead of coming twice.
    recent = WithRecentProject(recent, "/p/x/../5.vsw");
    EXPECT_EQ(recent.size(), 8);
    EXPECT_EQ(recent.front(), "/p/5.vsw");
    EXPECT_EQ(recent.count("/p/5.vsw"), 1);
    recent = WithoutRecentProject(recent, "/p/9.vsw");
    EXPECT_EQ(recent.size(), 7);
    EXPECT_FALSE(recent.contains("/p/9.vsw"));
    // A list from the settings is tidied: no empty or repeated entries.
    EXPECT_EQ(WithoutRecentProject({"/p/a.vsw", "", "/p/a.vsw", "/p/b.vsw"}, QString()),
              QStringList({"/p/a.vsw", "/p/b.vsw"}));
    // A relative name is kept with its folder.
    EXPECT_EQ(WithRecentProject({}, "c.vsw").front(), QDir::current().absoluteFilePath("c.vsw"));
}
