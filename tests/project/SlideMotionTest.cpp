#include "project/DurationFit.h"
#include "project/SlideMotion.h"

#include "common/VistranoError.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

namespace {

constexpr double kClose = 1 / kMotionZoom; // the side of the closest view
constexpr double kRoom = 1 - kClose;

struct RectRow
{
    MotionPath path;
    double progress;
    QRectF expected;
};

class MotionRectTest : public testing::TestWithParam<RectRow>
{
};

TEST_P(MotionRectTest, ViewAtStartMiddleAndEnd)
{
    const RectRow &row = GetParam();
    const QRectF view = MotionRect(row.path, row.progress);
    EXPECT_NEAR(view.x(), row.expected.x(), 1e-9);
    EXPECT_NEAR(view.y(), row.expected.y(), 1e-9);
    EXPECT_NEAR(view.width(), row.expected.width(), 1e-9);
    EXPECT_NEAR(view.height(), row.expected.height(), 1e-9);
    // Every view lies inside the picture and keeps its shape.
    EXPECT_GE(view.left(), -1e-12);
    EXPECT_GE(view.top(), -1e-12);
    EXPECT_LE(view.right(), 1 + 1e-12);
    EXPECT_LE(view.bottom(), 1 + 1e-12);
    EXPECT_NEAR(view.width(), view.height(), 1e-12);
}

const double kMid = (1 - (1 - kClose) / 2); // a zoom's side half way
INSTANTIATE_TEST_SUITE_P(
    Paths, MotionRectTest,
    testing::Values(RectRow{MotionPath::Still, 0.5, {0, 0, 1, 1}}, RectRow{MotionPath::ZoomIn, 0, {0, 0, 1, 1}},
                    RectRow{MotionPath::ZoomIn, 0.5, {(1 - kMid) / 2, (1 - kMid) / 2, kMid, kMid}},
                    RectRow{MotionPath::ZoomIn, 1, {kRoom / 2, kRoom / 2, kClose, kClose}},
                    RectRow{MotionPath::ZoomOut, 0, {kRoom / 2, kRoom / 2, kClose, kClose}},
                    RectRow{MotionPath::ZoomOut, 1, {0, 0, 1, 1}},
                    RectRow{MotionPath::PanLeftToRight, 0, {0, kRoom / 2, kClose, kClose}},
                    RectRow{MotionPath::PanLeftToRight, 0.5, {kRoom / 2, kRoom / 2, kClose, kClose}},
                    RectRow{MotionPath::PanLeftToRight, 1, {kRoom, kRoom / 2, kClose, kClose}},
                    RectRow{MotionPath::PanRightToLeft, 0, {kRoom, kRoom / 2, kClose, kClose}},
                    RectRow{MotionPath::PanTopToBottom, 0, {kRoom / 2, 0, kClose, kClose}},
                    RectRow{MotionPath::PanTopToBottom, 1, {kRoom / 2, kRoom, kClose, kClose}},
                    RectRow{MotionPath::PanBottomToTop, 0.5, {kRoom / 2, kRoom / 2, kClose, kClose}},
                    // Outside the slide's time the motion stands at its ends.
                    RectRow{MotionPath::ZoomIn, -3, {0, 0, 1, 1}},
                    RectRow{MotionPath::ZoomIn, 7, {kRoom / 2, kRoom / 2, kClose, kClose}}));

TEST(SlideMotion, EasingStartsAndEndsSlowly)
{
    EXPECT_DOUBLE_EQ(EaseMotion(0), 0);
    EXPECT_NEAR(EaseMotion(0.5), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(EaseMotion(1), 1);
    // The first and last hundredth move far less than one in the middle.
    EXPECT_LT(EaseMotion(0.01) * 10, EaseMotion(0.51) - EaseMotion(0.5));
    EXPECT_LT((1 - EaseMotion(0.99)) * 10, EaseMotion(0.51) - EaseMotion(0.5));
    double before = 0;
    for (int i = 1; i <= 100; ++i) {
        EXPECT_GT(EaseMotion(i / 100.0), before);
        before = EaseMotion(i / 100.0);
    }
}

struct ResolveRow
{
    SlideMotion motion;
    QSize picture;
    std::set<MotionPath> allowed;
};

class ResolveMotionTest : public testing::TestWithParam<ResolveRow>
{
};

TEST_P(ResolveMotionTest, SuitsThePictureShape)
{
    const ResolveRow &row = GetParam();
    std::set<MotionPath> seen;
    for (int number = 1; number <= 12; ++number)
        seen.insert(ResolveMotion(row.motion, number, QStringLiteral("/photos/IMG_%1.jpg").arg(number), row.picture));
    EXPECT_EQ(seen, row.allowed);
}

const std::set<MotionPath> kSidePans{MotionPath::PanLeftToRight, MotionPath::PanRightToLeft};
const std::set<MotionPath> kUpDownPans{MotionPath::PanTopToBottom, MotionPath::PanBottomToTop};
const std::set<MotionPath> kZooms{MotionPath::ZoomIn, MotionPath::ZoomOut};
INSTANTIATE_TEST_SUITE_P(
    Shapes, ResolveMotionTest,
    testing::Values(ResolveRow{SlideMotion::None, {1600, 900}, {MotionPath::Still}},
                    ResolveRow{SlideMotion::Auto, {900, 1600}, kUpDownPans},
                    ResolveRow{SlideMotion::Auto, {1600, 900}, kSidePans},
                    ResolveRow{SlideMotion::Auto, {1600, 1200}, kZooms},
                    ResolveRow{SlideMotion::Auto, {1000, 1000}, kZooms},
                    ResolveRow{SlideMotion::ZoomIn, {900, 1600}, {MotionPath::ZoomIn}},
                    ResolveRow{SlideMotion::ZoomOut, {1600, 900}, {MotionPath::ZoomOut}},
                    ResolveRow{SlideMotion::Pan, {1600, 1200}, kSidePans},
                    ResolveRow{SlideMotion::Pan, {1200, 1600}, kUpDownPans}));

TEST(SlideMotion, AutoIsTheSameForTheSameSlideAndVariesFromSlideToSlide)
{
    const QSize photo(4000, 3000);
    int changes = 0;
    MotionPath before = MotionPath::Still;
    for (int number = 1; number <= 20; ++number) {
        const MotionPath path = ResolveMotion(SlideMotion::Auto, number, QStringLiteral("/a/b/DSC0042.jpg"), photo);
        // The folder does not count, so a project moved elsewhere keeps its
        // motion; a run later gives the same.
        EXPECT_EQ(path, ResolveMotion(SlideMotion::Auto, number, QStringLiteral("/elsewhere/DSC0042.jpg"), photo));
        EXPECT_EQ(path, ResolveMotion(SlideMotion::Auto, number, QStringLiteral("C:\\x\\DSC0042.jpg"), photo));
        changes += number > 1 && path != before ? 1 : 0;
        before = path;
    }
    EXPECT_GE(changes, 15);
    // Fixed values: the choice may not depend on anything that changes from
    // run to run or machine to machine.
    EXPECT_EQ(ResolveMotion(SlideMotion::Auto, 1, QStringLiteral("a.jpg"), photo),
              ResolveMotion(SlideMotion::Auto, 1, QStringLiteral("/z/a.jpg"), photo));
}

TEST(SlideMotion, NamesTextsAndCodes)
{
    EXPECT_EQ(SlideMotionNames(), QStringList({"None", "Auto", "Zoom In", "Zoom Out", "Pan"}));
    EXPECT_EQ(SlideMotionFromText("auto"), SlideMotion::Auto);
    EXPECT_EQ(SlideMotionFromText("zoom-in"), SlideMotion::ZoomIn);
    EXPECT_EQ(SlideMotionFromText("4"), SlideMotion::Pan);
    EXPECT_EQ(SlideMotionFromText("sideways"), std::nullopt);
    EXPECT_EQ(SlideMotionFromCode(9), SlideMotion::None);
    for (int i = 0; i <= int(MotionPath::PanBottomToTop); ++i)
        EXPECT_EQ(MotionPathFromText(MotionPathText(MotionPath(i))), MotionPath(i));
    EXPECT_EQ(MotionPathFromText(u"spin around"), MotionPath::Still);
}

struct FitRow
{
    int slides;
    double audio;
    std::vector<int> durations;
};

class DurationFitTest : public testing::TestWithParam<FitRow>
{
};

TEST_P(DurationFitTest, SharesTheAudioEvenly)
{
    const FitRow &row = GetParam();
    const DurationFit fit = FitDurationsToAudio(row.slides, row.audio);
    EXPECT_EQ(fit.durations, row.durations);
    EXPECT_EQ(fit.total, std::accumulate(fit.durations.begin(), fit.durations.end(), 0));
}

INSTANTIATE_TEST_SUITE_P(Lengths, DurationFitTest,
                         testing::Values(FitRow{3, 12.0, {4, 4, 4}}, FitRow{3, 13.4, {4, 4, 5}},
                                         FitRow{3, 13.6, {4, 5, 5}}, FitRow{4, 10, {2, 3, 2, 3}},
                                         FitRow{1, 60.4, {60}}, FitRow{2, 2.5, {1, 1}}, FitRow{5, 5, {1, 1, 1, 1, 1}},
                                         FitRow{7, 200.0, {28, 29, 28, 29, 28, 29, 29}},
                                         FitRow{2, 120.49, {60, 60}}));

TEST(DurationFit, RefusesWhatCannotFit)
{
    const auto message = [](int slides, double audio) {
        try {
            FitDurationsToAudio(slides, audio);
        } catch (const VistranoError &error) {
            return error.message();
        }
        return QString();
    };
    EXPECT_EQ(message(0, 30), "You need to add some slides first!");
    EXPECT_EQ(message(12, 8.5),
              "The slides cannot fit the audio: 12 slides last at least 12 seconds, and the audio lasts 8.5 seconds "
              "(0:08.5).");
    EXPECT_EQ(message(3, 250), "The slides cannot fit the audio: 3 slides last at most 60 seconds each, 180 seconds "
                               "(3:00) in all, and the audio lasts 250 seconds (4:10).");
    EXPECT_EQ(message(2, 1e300).left(44), "The slides cannot fit the audio: 2 slides la");
    EXPECT_EQ(message(3, std::nan("")), "The length of the audio cannot be read.");
    EXPECT_EQ(message(3, 0), "The length of the audio cannot be read.");
    const DurationFit fit = FitDurationsToAudio(41, 204.6);
    EXPECT_EQ(DurationFitReport(fit, 204.6),
              "The show now lasts 205 seconds (3:25); the audio lasts 204.6 seconds (3:24.6).");
}

} // namespace
