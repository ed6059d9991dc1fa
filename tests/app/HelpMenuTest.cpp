#include "about/HelpWindow.h"
#include "app/MainWindow.h"
#include "browser/BookmarkEditor.h"
#include "project/RectBoxProperties.h"
#include "shell/Messages.h"
#include "slides/RectBox.h"
#include "slides/Viewer.h"
#include "tests/support/TestFiles.h"

#include <QAction>
#include <QScrollArea>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

// A slide box on the strip at its place.
class StripSlide : public TRectBox
{
public:
    StripSlide(QWidget *strip, int left, const QString &file) : TRectBox(strip)
    {
        SetLeft(left);
        SetFileName(file);
    }
};

class HelpMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.Root());
        SetMessageObserver([](const QString &) {});
        m_window = std::make_unique<TfrmVistrano>(m_config.Path("bookmrks.dat"));
        m_window->SetViewer(&m_viewer);
        m_window->SetBookmarkEditor(new TfBMEdit(m_config.Path("bookmrks.dat"), m_window.get()));
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageObserver({});
    }

    THelpWindow *HelpWindow() const { return m_window->findChild<THelpWindow *>("HelpWindow"); }

    TestFolder m_config;
    TfrmViewer m_viewer;
    std::unique_ptr<TfrmVistrano> m_window;
};

} // namespace

TEST_F(HelpMenuTest, HelpContentsAndOverviewOpenTheirPages)
{
    EXPECT_EQ(HelpWindow(), nullptr);
    m_window->findChild<QAction *>("HelpContents1")->trigger();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->isVisible());
    EXPECT_EQ(HelpWindow()->CurrentPage(), "index.html");

    m_window->findChild<QAction *>("HelpOverview1")->trigger();
    EXPECT_EQ(HelpWindow()->CurrentPage(), "overview.html");
}

TEST_F(HelpMenuTest, SlidesInOrderFollowTheirPlaceOnTheStrip)
{
    QWidget *strip = m_window->SlideStrip()->widget();
    ASSERT_NE(strip, nullptr);
    new StripSlide(strip, 230, "c.jpg");
    new StripSlide(strip, 10, "a.jpg");
    new QWidget(strip); // not a slide
    new StripSlide(strip, 120, "b.jpg");
    QStringList files;
    for (const RectBoxProperties *slide : m_window->SlidesInOrder())
        files << slide->FileName();
    EXPECT_EQ(files, QStringList({"a.jpg", "b.jpg", "c.jpg"}));
}
