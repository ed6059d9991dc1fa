#include "about/HelpPages.h"
#include "about/HelpWindow.h"
#include "about/VistranoHelp.h"
#include "tests/support/TestFiles.h"

#include <QListWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

TEST(HelpWindow, MenuCommandsOpenTheirPages)
{
    QWidget owner;
    TVistranoHelp help(&owner, HelpFolder());
    EXPECT_EQ(help.Window(), nullptr);

    help.HelpContents();
    THelpWindow *window = help.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->CurrentPage(), "index.html");
    EXPECT_TRUE(window->windowTitle().startsWith("Vistrano Help"));
    EXPECT_FALSE(window->Browser()->toPlainText().isEmpty());

    help.HelpContext(10);
    EXPECT_EQ(help.Window(), window);
    EXPECT_EQ(window->CurrentPage(), "overview.html");
    EXPECT_TRUE(window->Browser()->isBackwardAvailable());

    help.Hook().HelpKeyword("Print");
    EXPECT_EQ(window->CurrentPage(), "printing.html");
    EXPECT_GE(window->Index()->currentRow(), 0);

    help.Hook().HelpCommand(HELP_QUIT, 0);
    EXPECT_FALSE(window->isVisible());
    help.HelpContents();
    EXPECT_TRUE(window->isVisible());
}

TEST(HelpWindow, MissingPagesAreReported)
{
    TestFolder empty;
    QWidget owner;
    TVistranoHelp help(&owner, empty.Path("help"));
    help.HelpContext(10);
    ASSERT_NE(help.Window(), nullptr);
    EXPECT_TRUE(help.Window()->Browser()->toPlainText().contains("Help page not found"));
    EXPECT_TRUE(help.Window()->Browser()->toPlainText().contains("overview.html"));
    EXPECT_EQ(help.Window()->Index()->count(), 0);
}
