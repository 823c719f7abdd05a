#include "charts/axis_scale.h"
#include "tests/non_finite.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using charts::AxisRange;
using charts::axisTicks;
using charts::drawableRange;
using charts::rangeFraction;

constexpr double biggest = std::numeric_limits<double>::max();

TEST(DrawableRange, ReversedBoundsAreSwapped)
{
    EXPECT_EQ(drawableRange(360, -180).minimum, -180);
    EXPECT_EQ(drawableRange(360, -180).maximum, 360);
    EXPECT_EQ(drawableRange(-300, 300).minimum, -300);
    EXPECT_EQ(drawableRange(-300, 300).maximum, 300);
}

TEST(DrawableRange, EqualBoundsAreWidenedAroundTheirValue)
{
    const AxisRange small = drawableRange(2, 2);
    EXPECT_EQ(small.minimum, 1);
    EXPECT_EQ(small.maximum, 3);
    const AxisRange large = drawableRange(-5000, -5000);
    EXPECT_EQ(large.minimum, -5500);
    EXPECT_EQ(large.maximum, -4500);
    const AxisRange huge = drawableRange(biggest, biggest);
    EXPECT_LT(huge.minimum, huge.maximum);
}

TEST(DrawableRange, BoundsThatAreNoNumberGiveTheDefault)
{
    for (auto [maximum, minimum] : {std::pair{NaN, 0.0}, std::pair{10.0, NaN}, std::pair{Inf, -Inf}}) {
        const AxisRange range = drawableRange(maximum, minimum);
        EXPECT_EQ(range.minimum, -1);
        EXPECT_EQ(range.maximum, 1);
    }
}

TEST(RangeFraction, HoldsForTheWidestRange)
{
    const AxisRange widest{-biggest, biggest};
    EXPECT_EQ(rangeFraction(widest, 0), 0.5);
    EXPECT_EQ(rangeFraction(widest, biggest), 1);
    EXPECT_EQ(rangeFraction({-2, 2}, -1), 0.25);
}

TEST(AxisTicks, RoundValuesInsideTheRange)
{
    const std::vector<double> ticks = axisTicks({-180, 360}, 6);
    EXPECT_EQ(ticks, (std::vector<double>{-100, 0, 100, 200, 300}));
    EXPECT_EQ(axisTicks({-2, 2}, 4), (std::vector<double>{-2, -1, 0, 1, 2}));
}

TEST(AxisTicks, AlwaysAFewEvenForExtremeRanges)
{
    for (AxisRange range : {AxisRange{-biggest, biggest}, AxisRange{1e15, 1e15 + 4}, AxisRange{0, 1e-300}}) {
        const std::vector<double> ticks = axisTicks(range, 5);
        EXPECT_GE(ticks.size(), 2u);
        EXPECT_LE(ticks.size(), 22u);
        for (double tick : ticks) {
            EXPECT_GE(tick, range.minimum);
            EXPECT_LE(tick, range.maximum);
        }
    }
    EXPECT_TRUE(axisTicks({3, 3}, 5).empty());
}

} // namespace
