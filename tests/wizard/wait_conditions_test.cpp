#include "wizard/wait_conditions.h"

#include <gtest/gtest.h>

namespace {

using wizard::HeatCycle;
using wizard::IsAt90Degrees;
using wizard::IsLevel;

TEST(WaitConditions, LevelHoldsWithinTheThresholdBoundsIncluded)
{
    EXPECT_TRUE(IsLevel(5.0f, -5.0f, 5.0f));
    EXPECT_FALSE(IsLevel(6.0f, 0.0f, 5.0f));
    EXPECT_FALSE(IsLevel(0.0f, -5.1f, 5.0f));
}

TEST(WaitConditions, NinetyDegreesTakesEitherSignOfRoll)
{
    EXPECT_TRUE(IsAt90Degrees(2.0f, -88.0f, 5.0f));
    EXPECT_TRUE(IsAt90Degrees(-5.0f, 95.0f, 5.0f));
    EXPECT_FALSE(IsAt90Degrees(2.0f, 84.0f, 5.0f));
    EXPECT_FALSE(IsAt90Degrees(5.5f, 90.0f, 5.0f));
    EXPECT_FALSE(IsAt90Degrees(0.0f, 0.0f, 5.0f));
}

TEST(HeatCycleTest, CoolsOnlyAfterBeingHeatedAndStaysLatched)
{
    HeatCycle cycle;
    cycle.sample(50.0f);
    EXPECT_FALSE(cycle.heated());
    EXPECT_FALSE(cycle.cooled());

    cycle.sample(55.0f);
    EXPECT_TRUE(cycle.heated());
    EXPECT_FALSE(cycle.cooled());

    cycle.sample(50.1f);
    EXPECT_FALSE(cycle.cooled());
    cycle.sample(50.0f);
    EXPECT_TRUE(cycle.cooled());

    cycle.sample(60.0f);
    EXPECT_TRUE(cycle.heated());
    EXPECT_TRUE(cycle.cooled());

    cycle.reset();
    EXPECT_FALSE(cycle.heated());
    EXPECT_FALSE(cycle.cooled());
}

} // namespace
