#include "shell/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase
{
    QRect available;
    QRect expected;
};

void PrintTo(const PlacementCase &row, std::ostream *out)
{
    const QRect &a = row.available;
    *out << a.width() << "x" << a.height() << "+" << a.x() << "+" << a.y();
}

class WindowPlacement : public ::testing::TestWithParam<PlacementCase>
{
};

} // namespace

TEST_P(WindowPlacement, FourFifthsOfTheScreenCentredNeverLargerThanIt)
{
    EXPECT_EQ(InitialWindowRect(GetParam().available, QSize(760, 531)), GetParam().expected);
}

TEST(WindowPlacement, TheFrameStaysOnTheScreenToo)
{
    // A screen too small for the design: the window and its title bar fit.
    EXPECT_EQ(InitialWindowRect(QRect(0, 0, 640, 480), QSize(760, 531), QMargins(2, 24, 2, 2)),
              QRect(2, 24, 636, 454));
    // A dialog placed past the right and bottom edges comes back onto the
    // screen; one larger than the screen is made smaller.
    const QRect screen(0, 0, 800, 500);
    EXPECT_EQ(KeptOnScreen(QRect(306, 260, 501, 250), screen), QRect(299, 250, 501, 250));
    EXPECT_EQ(KeptOnScreen(QRect(-20, -5, 300, 200), screen), QRect(0, 0, 300, 200));
    EXPECT_EQ(KeptOnScreen(QRect(100, 100, 900, 700), screen), screen);
    EXPECT_EQ(KeptOnScreen(QRect(10, 20, 300, 200), screen), QRect(10, 20, 300, 200));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowPlacement,
    ::testing::Values(PlacementCase{QRect(0, 0, 1920, 1040), QRect(192, 104, 1536, 832)},
                      // A second screen to the right of the first.
                      PlacementCase{QRect(1920, 0, 2560, 1400), QRect(2176, 140, 2048, 1120)},
                      // Four fifths would be less than designed: the designed size.
                      PlacementCase{QRect(0, 0, 900, 640), QRect(70, 54, 760, 531)},
                      // A screen smaller than the design: the whole screen.
                      PlacementCase{QRect(0, 0, 640, 480), QRect(0, 0, 640, 480)}),
    [](const ::testing::TestParamInfo<PlacementCase> &info) { return "Screen" + std::to_string(info.index); });
