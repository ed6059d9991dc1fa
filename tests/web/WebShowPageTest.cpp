// The exported page in a real browser: Chromium, headless, with the network
// off, takes frames of the page at moments given by "#t=SECONDS".
#include "tests/support/RequiredTools.h"
#include "tests/support/TestFiles.h"
#include "tests/web/WebShowTestSupport.h"
#include "web/WebShowExport.h"

#include <QImage>
#include <QProcess>
#include <QTcpServer>

#include <memory>
#include <vector>

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

// Frames of the page at the moments, side by side in one page so that one
// browser run takes them all; the run's log is left in `log`.
std::vector<QImage> Shoot(const TestFolder &folder, const QString &page, const std::vector<double> &moments,
                          QByteArray *log = nullptr)
{
    const int count = int(moments.size());
    QByteArray grid = "<!DOCTYPE html><html><body style=\"margin:0\">";
    for (int i = 0; i < count; ++i)
        grid += QStringLiteral("<iframe src=\"%1#t=%2\" style=\"position:absolute;left:%3px;top:%4px;"
                               "width:%5px;height:%6px;border:0\"></iframe>")
                    .arg(page)
                    .arg(moments[size_t(i)])
                    .arg(i % 3 * kWidth)
                    .arg(i / 3 * kHeight)
                    .arg(kWidth)
                    .arg(kHeight)
                    .toUtf8();
    folder.Write("grid.html", grid + "</body></html>");
    std::unique_ptr<QProcess> shot(StartChromium(
        folder, "shot",
        {QStringLiteral("--window-size=%1,%2").arg(3 * kWidth).arg((count + 2) / 3 * kHeight),
         "--screenshot=" + folder.Path("grid.png"), "file://" + folder.Path("grid.html")}));
    EXPECT_TRUE(shot->waitForFinished(120000));
    if (log)
        *log = shot->readAllStandardError();
    const QImage frames(folder.Path("grid.png"));
    std::vector<QImage> shots;
    for (int i = 0; i < count; ++i)
        shots.push_back(frames.copy(i % 3 * kWidth, i / 3 * kHeight, kWidth, kHeight));
    return shots;
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

    std::unique_ptr<QProcess> dom(
        StartChromium(folder, "dom", {"--dump-dom", "file://" + folder.Path("show.html") + "#t=4"}));
    QByteArray shotLog;
    const std::vector<QImage> frames = Shoot(folder, "show.html", {1.0, 2.5, 4.0, 5.5, 7.0, 9.0}, &shotLog);
    ASSERT_TRUE(dom->waitForFinished(120000));
    auto frame = [&frames](int i) { return frames[size_t(i)]; };
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
    EXPECT_EQ(ConsoleLines(shotLog + dom->readAllStandardError()), QByteArray());
    EXPECT_FALSE(canary.waitForNewConnection(100)) << "the page asked the network for something";
}

namespace {

// Light pixels across the middle row (half faded still counts).
int WhiteSpan(const QImage &frame)
{
    int span = 0;
    for (int x = 0; x < frame.width(); ++x)
        span += qGray(frame.pixel(x, frame.height() / 2)) > 64 ? 1 : 0;
    return span;
}

} // namespace

TEST(WebShowPage, ZoomsAMovingSlideAsThePlayerDoes)
{
    REQUIRE_TOOLS("chromium");
    TestFolder folder;
    // A white square 100 pixels wide in the middle of black, zooming in over
    // four seconds, then dissolving into a still one: 1.25 times as wide at
    // the end, about 1.11 at the eased middle, and still 1.25 while the next
    // slide comes in over it.
    QImage pattern(kWidth, kHeight, QImage::Format_RGB888);
    pattern.fill(Qt::black);
    for (int y = kHeight / 2 - 50; y < kHeight / 2 + 50; ++y)
        for (int x = kWidth / 2 - 50; x < kWidth / 2 + 50; ++x)
            pattern.setPixel(x, y, qRgb(255, 255, 255));
    pattern.save(folder.Path("square.bmp"), "BMP");
    QImage black(kWidth, kHeight, QImage::Format_RGB888);
    black.fill(Qt::black);
    black.save(folder.Path("black.bmp"), "BMP");
    const QList<BuildSlide> slides{{folder.Path("square.bmp"), 0, 4, 0, QString(), SlideMotion::ZoomIn},
                                   {folder.Path("black.bmp"), 0, 4, 1, QString()}};
    WebShowOptions options;
    options.size = QSize(kWidth, kHeight);
    ExportWebShow(folder.Path("zoom.html"), slides, options);

    const std::vector<QImage> frames = Shoot(folder, "zoom.html", {0.0, 2.0, 3.99, 4.5});
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_NEAR(WhiteSpan(frames[0]), 100, 3);
    EXPECT_NEAR(WhiteSpan(frames[1]), 100 / 0.9, 3);
    EXPECT_NEAR(WhiteSpan(frames[2]), 125, 3);
    EXPECT_NEAR(WhiteSpan(frames[3]), 125, 3);
}
