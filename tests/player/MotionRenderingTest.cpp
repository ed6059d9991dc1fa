#include "player/ShowRenderer.h"
#include "player/ShowTimeline.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QSize kScreen(1024, 768);

// A test pattern as the build makes a moving slide: 1.5 times the screen,
// black with a white square in the middle a quarter of the picture wide,
// and a white bar at its left edge.
QImage Pattern()
{
    QImage picture(1536, 1152, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.fillRect(QRect(576, 384, 384, 384), Qt::white);
    return picture;
}

// The white run on the frame's middle row: its width and its middle.
struct WhiteSpan
{
    double width = 0;
    double middle = 0;
};

WhiteSpan WhiteRun(const QImage &frame, int row)
{
    // Grey edges count by their share of white, so that the measure follows
    // fractions of a pixel.
    double sum = 0;
    double weighted = 0;
    for (int x = 0; x < frame.width(); ++x) {
        const double white = qGray(frame.pixel(x, row)) / 255.0;
        sum += white;
        weighted += white * (x + 0.5);
    }
    return {sum, sum > 0 ? weighted / sum : 0};
}

ShowRenderer MovingShow(MotionPath path, QImage picture = Pattern())
{
    return ShowRenderer(
        2,
        [path, picture](int index) {
            SlideContent content;
            content.picture = picture;
            content.motion = index == 0 ? path : MotionPath::Still;
            return content;
        },
        kScreen);
}

ShowMoment At(double slideTime, double length = 10)
{
    ShowMoment moment;
    moment.index = 0;
    moment.from = -1;
    moment.slideTime = slideTime;
    moment.slideLength = length;
    return moment;
}

} // namespace

TEST(MotionRendering, ZoomInEndsMagnifiedByTheZoomWithoutJumps)
{
    ShowRenderer renderer = MovingShow(MotionPath::ZoomIn);
    const double start = WhiteRun(renderer.Frame(At(0)), 384).width;
    const double end = WhiteRun(renderer.Frame(At(10)), 384).width;
    // The square is a quarter of the fitted picture's width at the start.
    EXPECT_NEAR(start, 256, 1.5);
    EXPECT_NEAR(end / start, kMotionZoom, 0.01);
    // Frame by frame at 50 frames a second the square grows steadily: never
    // back, never by more than a small step.
    double before = start;
    for (int frame = 1; frame <= 500; frame += 7) {
        const double width = WhiteRun(renderer.Frame(At(frame / 50.0)), 384).width;
        EXPECT_GE(width, before - 0.05) << frame;
        EXPECT_LE(width - before, 7 * 64.0 * 3.2 / 500) << frame;
        before = width;
    }
    // The square stays in the middle: only its size changes.
    EXPECT_NEAR(WhiteRun(renderer.Frame(At(5)), 384).middle, 512, 0.5);
}

TEST(MotionRendering, PanMovesThePictureAcrossAndZoomOutShrinksIt)
{
    ShowRenderer pan = MovingShow(MotionPath::PanLeftToRight);
    const WhiteSpan first = WhiteRun(pan.Frame(At(0)), 384);
    const WhiteSpan last = WhiteRun(pan.Frame(At(10)), 384);
    // Seen 1.25 times closer throughout, moving by the room the close view
    // has: a fifth of the picture's width, 1.25 x 1024 / 5 screen pixels.
    EXPECT_NEAR(first.width, 320, 1.5);
    EXPECT_NEAR(last.width, 320, 1.5);
    EXPECT_NEAR(first.middle - last.middle, 1024 * kMotionZoom * (1 - 1 / kMotionZoom), 1.0);

    ShowRenderer out = MovingShow(MotionPath::ZoomOut);
    EXPECT_NEAR(WhiteRun(out.Frame(At(0)), 384).width / WhiteRun(out.Frame(At(10)), 384).width, kMotionZoom, 0.01);
}

TEST(MotionRendering, OnlyMovingSlidesChangeFromMomentToMoment)
{
    ShowRenderer renderer = MovingShow(MotionPath::ZoomIn);
    renderer.Frame(At(1));
    EXPECT_TRUE(renderer.SlideMoves(0));
    EXPECT_TRUE(renderer.FrameChanges(At(1), At(1.02)));
    EXPECT_FALSE(renderer.FrameChanges(At(1), At(1)));

    ShowMoment still = At(1);
    still.index = 1;
    ShowMoment later = still;
    later.slideTime = 3;
    renderer.Frame(still);
    EXPECT_FALSE(renderer.SlideMoves(1));
    EXPECT_FALSE(renderer.FrameChanges(still, later));

    // A transition from the moving slide takes it where its motion ended.
    ShowMoment dissolve = still;
    dissolve.from = 0;
    dissolve.transition = 1;
    dissolve.progress = 0.0001;
    const double fromWidth = WhiteRun(renderer.Frame(dissolve), 384).width;
    EXPECT_NEAR(fromWidth, 320, 2);
}

TEST(MotionRendering, ASmallPictureMovesWithoutBeingEnlargedTwice)
{
    // A picture no larger than the screen's fit is drawn from itself.
    QImage small(512, 384, QImage::Format_RGB32);
    small.fill(Qt::black);
    QPainter(&small).fillRect(QRect(192, 128, 128, 128), Qt::white);
    ShowRenderer renderer = MovingShow(MotionPath::ZoomIn, small);
    EXPECT_NEAR(WhiteRun(renderer.Frame(At(0)), 384).width, 256, 1.5);
    EXPECT_NEAR(WhiteRun(renderer.Frame(At(10)), 384).width, 320, 1.5);
}
