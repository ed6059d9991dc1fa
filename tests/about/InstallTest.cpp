#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

// `cmake --install` lays the program out as the Debian package does: what
// runs together in lib/vistrano (the program finds kv.dll and its help beside
// itself), links in bin/, the desktop entry and the icons in share/.
TEST(Install, ProgramFindsItsFilesAfterInstallation)
{
    TestFolder prefix;
    QByteArray out, err;
    ASSERT_EQ(RunProgram(VISTRANO_CMAKE_COMMAND, {"--install", VISTRANO_BUILD_DIR, "--prefix", prefix.Root()}, &out,
                         &err),
              0)
        << err.toStdString();

    const QDir root(prefix.Root());
    for (const char *file : {"lib/vistrano/vistrano", "lib/vistrano/vistrano-cli", "lib/vistrano/kv.dll"}) {
        const QFileInfo info(root.filePath(file));
        EXPECT_TRUE(info.isFile() && info.isExecutable()) << file;
    }
    for (const char *file : {"lib/vistrano/help/index.html", "lib/vistrano/help/overview.html",
                             "share/applications/vistrano.desktop", "share/icons/hicolor/scalable/apps/vistrano.svg",
                             "share/icons/hicolor/48x48/apps/vistrano.png",
                             "share/icons/hicolor/256x256/apps/vistrano.png"})
        EXPECT_TRUE(QFileInfo(root.filePath(file)).isFile()) << file;
    for (const char *program : {"vistrano", "vistrano-cli"}) {
        const QFileInfo link(root.filePath(QStringLiteral("bin/") + program));
        EXPECT_TRUE(link.isSymLink()) << program;
        EXPECT_EQ(link.canonicalFilePath(), QFileInfo(root.filePath(QStringLiteral("lib/vistrano/") + program))
                                                .canonicalFilePath());
    }
    const QByteArray desktop = ReadFileBytes(root.filePath("share/applications/vistrano.desktop"));
    EXPECT_TRUE(desktop.contains("\nExec=vistrano\n"));
    EXPECT_TRUE(desktop.contains("\nIcon=vistrano\n"));
    EXPECT_TRUE(desktop.contains("\nCategories=Graphics;"));

    // Started through its link from another folder, the command line tool
    // runs and builds a show with the installed player template.
    TestFolder work;
    EXPECT_EQ(RunProgram(root.filePath("bin/vistrano-cli"), {"version"}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(out.trimmed(), VISTRANO_PROJECT_VERSION);

    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(work.Path("a.jpg"), "JPG"));
    ASSERT_EQ(RunProgram(root.filePath("bin/vistrano-cli"), {"new", work.Path("p.vsw"), work.Path("a.jpg")}, &out, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(RunProgram(root.filePath("bin/vistrano-cli"), {"build", work.Path("p.vsw"), work.Path("show.exe")}, &out,
                         &err),
              0)
        << err.toStdString();
    EXPECT_GT(QFileInfo(work.Path("show.exe")).size(), QFileInfo(root.filePath("lib/vistrano/kv.dll")).size());
    EXPECT_EQ(RunProgram(root.filePath("bin/vistrano-cli"), {"print", work.Path("p.vsw"), work.Path("sheet.pdf")}, &out,
                         &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(ReadFileBytes(work.Path("sheet.pdf")).startsWith("%PDF-"));
}
