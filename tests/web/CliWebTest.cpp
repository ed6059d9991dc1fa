#include "tests/support/TestFiles.h"
#include "tests/web/WebShowTestSupport.h"

#include <gtest/gtest.h>

namespace {

int Cli(const QStringList &args, QByteArray *err = nullptr)
{
    return RunProgram(BuiltProgram(QStringLiteral("vistrano-cli")), args, nullptr, err);
}

} // namespace

TEST(CliWeb, ExportsAProjectAsAPage)
{
    TestFolder folder;
    QStringList pictures;
    for (const BuildSlide &slide : ColourSlides(folder, QString()))
        pictures << slide.FileName;
    const QString project = folder.Path("trip.vsw");
    ASSERT_EQ(Cli(QStringList{"new", project} + pictures
                  + QStringList{"--duration", "1", "--audio", folder.Write("tone.wav", ToneWav(1.0))}),
              0);
    const QString out = folder.Path("trip.html");
    QByteArray err;
    ASSERT_EQ(Cli({"web", project, out, "--size", "320x240", "--compression", "40"}, &err), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("Added : 3\nDone!\n")) << err.toStdString();
    const QByteArray page = ReadFileBytes(out);
    EXPECT_EQ(PageJpegs(page).size(), 3);
    EXPECT_TRUE(page.contains("data:audio/mp4;base64,"));

    for (const QStringList &wrong :
         {QStringList{"web", project}, QStringList{"web", project, out, "--size", "320"},
          QStringList{"web", project, out, "--compression", "61"}, QStringList{"web", project, out, "--fps", "2"}})
        EXPECT_EQ(Cli(wrong), 2) << wrong.join(' ').toStdString();
    EXPECT_EQ(Cli({"web", project, project}, &err), 1);
    EXPECT_EQ(ReadFileBytes(out), page);
}
