#include "shell/GaugePercent.h"

#include <gtest/gtest.h>

namespace {

struct GaugeCase
{
    long long done, count;
    int percent;
};

class GaugePercentTest : public ::testing::TestWithParam<GaugeCase>
{
};

TEST_P(GaugePercentTest, RoundsExactHalvesToEven)
{
    const GaugeCase c = GetParam();
    EXPECT_EQ(GaugePercent(c.done, c.count), c.percent) << c.done << " of " << c.count;
}

INSTANTIATE_TEST_SUITE_P(Steps, GaugePercentTest,
                         ::testing::Values(GaugeCase{0, 3, 0}, GaugeCase{1, 3, 33}, GaugeCase{2, 3, 67},
                                           GaugeCase{3, 3, 100}, GaugeCase{9, 10, 90},
                                           GaugeCase{1, 8, 12},     // 12.5
                                           GaugeCase{3, 8, 38},     // 37.5
                                           GaugeCase{1, 200, 0},    // 0.5
                                           GaugeCase{3, 200, 2},    // 1.5
                                           GaugeCase{23, 40, 58},   // 57.5, which a double quotient puts below the half
                                           GaugeCase{0, 0, 0}, GaugeCase{5, 0, 0},
                                           GaugeCase{2999999999LL, 3000000000LL, 100}));

} // namespace
