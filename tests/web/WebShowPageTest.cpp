// The exported page in a real browser: Chromium, headless, with the network
// off, takes frames of the page at moments given by "#t=SECONDS".
#include "tests/support/RequiredTools.h"
#include "tests/support/TestFiles.h"
#include "tests/web/WebShowTestSupport.h"
#include "web/WebShowExport.h"

#include <QImage>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

QProcess *StartChromium(const TestFolder &folder, const QString &profile, const QStringList &what)
{
    auto *chromium = new QProcess;
    chromium->start(QStringLiteral("chromium"),
                    QStringList{"--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars", "--no-first-run",
                                "--user-data-dir=" + folder.Path(profile), "--enable-logging=stderr", "--v=0",
                                // Nothing but the loopback answers.
                                "--proxy-server=127.0.0.1:9", "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"}
                        + what);
    return chromium;
}

// The console's lines (script errors, refused loads) among Chromium's log.
QByteArray ConsoleLines(const QByteArray &log)
{
    QByteArray lines;
    for (const QByteArray &line : log.split('\n')) {
        if (line.contains(":CONSOLE"))
            lines += line + '\n';
    }
    return lines;
}

bool Near(QRgb pixel, int red, int green, int blue)
{
    return std::abs(qRed(pixel) - red) <= 24 && std::abs(qGreen(pixel) - green) <= 24
           && std::abs(qBlue(pixel) - blue) <= 24;
}

// Whether the area holds white text: a pixel near white.
bool HasWhiteText(const QImage &frame, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qRed(frame.pixel(x, y)) > 220 && qGreen(frame.pixel(x, y)) > 220 && qBlue(frame.pixel(x, y)) > 220)
                return true;
    return false;
}

} // namespace

TEST(WebShowPage, PlaysTheTimelineInABrowserAndKeepsCaptionsAsText)
{
    REQUIRE_TOOLS("chromium");
    TestFolder folder;
    // Anything that escapes the caption would ask this server for a picture.
    QTcpServer canary;
    ASSERT_TRUE(canary.listen(QHostAddress::LocalHost));
    const QString hostile = QStringLiteral("</script><img src=\"http://127.0.0.1:%1/caption.png\" "
                                           "onerror=\"document.title='taken'\">")
                                .arg(canary.serverPort());
    WebShowOptions options;
    options.size = QSize(kWidth, kHeight);
    ExportWebShow(folder.Path("show.html"), ColourSlides(folder, hostile), options);

    // Six moments side by side in one page, so that one browser run takes
    // them all.
    const double moments[] = {1.0, 2.5, 4.0, 5.5, 7.0, 9.0};
    QByteArray grid = "<!DOCTYPE html><html><body style=\"margin:0\">";
    for (int i = 0; i < 6; ++i)
        grid += QStringLiteral("<iframe src=\"show.html#t=%1\" style=\"position:absolute;left:%2px;top:%3px;"
                               "width:%4px;height:%5px;border:0\"></iframe>")
                    .arg(moments[i])
                    .arg(i % 3 * kWidth)
                    .arg(i / 3 * kHeight)
                    .arg(kWidth)
                    .arg(kHeight)
                    .toUtf8();
    folder.Write("grid.html", grid + "</body></html>");

    std::unique_ptr<QProcess> shot(StartChromium(
        folder, "shot",
        {QStringLiteral("--window-size=%1,%2").arg(3 * kWidth).arg(2 * kHeight),
         "--screenshot=" + folder.Path("grid.png"), "file://" + folder.Path("grid.html")}));
    std::unique_ptr<QProcess> dom(
        StartChromium(folder, "dom", {"--dump-dom", "file://" + folder.Path("show.html") + "#t=4"}));
    ASSERT_TRUE(shot->waitForFinished(120000));
    ASSERT_TRUE(dom->waitForFinished(120000));

    const QImage frames(folder.Path("grid.png"));
    ASSERT_EQ(frames.size(), QSize(3 * kWidth, 2 * kHeight));
    auto frame = [&frames](int i) { return frames.copy(i % 3 * kWidth, i / 3 * kHeight, kWidth, kHeight); };
    const QPoint middle(kWidth / 2, kHeight / 2);
    const QRect captionArea(40, kHeight - 60, kWidth - 80, 55);
    // Red, with its caption over the bottom.
    EXPECT_TRUE(Near(frame(0).pixel(middle), 255, 0, 0));
    EXPECT_TRUE(HasWhiteText(frame(0), captionArea));
    // Halfway through the dissolve: half red, half green.
    EXPECT_TRUE(Near(frame(1).pixel(middle), 128, 128, 0)) << std::hex << frame(1).pixel(middle);
    // Green, the hostile caption drawn as text.
    EXPECT_TRUE(Near(frame(2).pixel(middle), 0, 255, 0));
    EXPECT_TRUE(HasWhiteText(frame(2), captionArea));
    EXPECT_FALSE(HasWhiteText(frame(2), QRect(40, 20, kWidth - 80, 100)));
    // Halfway through the wipe from the left: blue on the left, green on the right.
    EXPECT_TRUE(Near(frame(3).pixel(kWidth / 4, kHeight / 2), 0, 0, 255));
    EXPECT_TRUE(Near(frame(3).pixel(3 * kWidth / 4, kHeight / 2), 0, 255, 0));
    // Blue; after the end the last slide stays, and no controls are drawn.
    EXPECT_TRUE(Near(frame(4).pixel(middle), 0, 0, 255));
    EXPECT_TRUE(Near(frame(5).pixel(middle), 0, 0, 255));
    EXPECT_FALSE(HasWhiteText(frame(5), frame(5).rect()));

    const QByteArray page = dom->readAllStandardOutput();
    EXPECT_TRUE(page.contains("<span>&lt;/script&gt;&lt;img src=\"http://127.0.0.1:")) << page.right(3000).toStdString();
    EXPECT_EQ(page.count("<img "), 3);
    EXPECT_TRUE(page.contains("<title>show</title>"));
    EXPECT_EQ(ConsoleLines(shot->readAllStandardError() + dom->readAllStandardError()), QByteArray());
    EXPECT_FALSE(canary.waitForNewConnection(100)) << "the page asked the network for something";
}
