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
