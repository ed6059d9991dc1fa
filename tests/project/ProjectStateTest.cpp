#include "project/ProjectState.h"
#include "project/RecentProjects.h"
#include "tests/support/EventLoopWait.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(ProjectState, ModifiedWhileTheContentDiffersFromTheStoredOne)
{
    ProjectContent content;
    TProjectState state([&content] { return content; });
    int published = 0;
    QObject::connect(&state, &TProjectState::StateChanged, [&published] { ++published; });
    EXPECT_FALSE(state.IsModified());
    EXPECT_EQ(ProjectWindowTitle(state.FileName(), state.IsModified()), "Vistrano by Halvenor Software");

    // Many edits in one turn of the event loop are one comparison and one
    // signal; the answer is right at once all the same.
    content.slides.append({"/p/a.jpg", "", 0, 4, 0, 133, 100});
    state.ContentMayHaveChanged();
    content.slides.append({"/p/b.jpg", "", 0, 4, 0, 75, 100});
    state.ContentMayHaveChanged();
    EXPECT_TRUE(state.IsModified());
    ASSERT_TRUE(WaitFor([&] { return published == 1; }));
    EXPECT_EQ(ProjectWindowTitle(state.FileName(), state.IsModified()), "Untitled* - Vistrano by Halvenor Software");

    state.SetSaved("/p/holiday.vsw");
    EXPECT_FALSE(state.IsModified());
    content.slides[1].rotation = 90;
    state.ContentMayHaveChanged();
    EXPECT_TRUE(state.IsModified());
    EXPECT_EQ(ProjectWindowTitle(state.FileName(), true), "holiday.vsw* - Vistrano by Halvenor Software");
    // Turned back: what the file holds again.
    content.slides[1].rotation = 0;
    state.ContentMayHaveChanged();
    EXPECT_FALSE(state.IsModified());
    EXPECT_EQ(ProjectWindowTitle(state.FileName(), false), "holiday.vsw - Vistrano by Halvenor Software");

    // A project opened into other slides: the file holds only a part.
    ProjectContent opened;
    opened.slides = {content.slides[1]};
    state.SetStored("/p/other.vsw", opened);
    EXPECT_TRUE(state.IsModified());
}

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
