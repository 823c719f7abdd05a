#include "controls/dial_angles.h"
#include "tests/non_finite.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(DialAngles, CompassAngleWrapsIntoOneTurn)
{
    EXPECT_DOUBLE_EQ(*controls::compassAngle(328.1), 328.1);
    EXPECT_NEAR(*controls::compassAngle(-0.4), 359.6, 1e-9);
    EXPECT_NEAR(*controls::compassAngle(720.5), 0.5, 1e-9);
    EXPECT_EQ(*controls::compassAngle(360.0), 0.0);
    EXPECT_EQ(*controls::compassAngle(-1e-300), 0.0);
    const double huge = *controls::compassAngle(1e300);
    EXPECT_GE(huge, 0.0);
    EXPECT_LT(huge, 360.0);
}

TEST(DialAngles, RollIsCentredOnZeroAndPitchLimited)
{
    EXPECT_NEAR(*controls::signedAngle(190), -170, 1e-9);
    EXPECT_NEAR(*controls::signedAngle(-190), 170, 1e-9);
    EXPECT_EQ(*controls::signedAngle(180), -180);
    EXPECT_EQ(*controls::limitedPitch(120), 90);
    EXPECT_EQ(*controls::limitedPitch(-1e308), -90);
    EXPECT_EQ(*controls::limitedPitch(-0.4), -0.4);
}

TEST(DialAngles, NoAngleFromNumbersThatAreNone)
{
    for (double bad : {NaN, Inf, -Inf}) {
        EXPECT_FALSE(controls::compassAngle(bad));
        EXPECT_FALSE(controls::signedAngle(bad));
        EXPECT_FALSE(controls::limitedPitch(bad));
    }
}

TEST(DialAngles, HeadingReadoutHasThreeWholeDegrees)
{
    EXPECT_EQ(controls::headingReadout(328.1), QStringLiteral("328"));
    EXPECT_EQ(controls::headingReadout(5.2), QStringLiteral("005"));
    EXPECT_EQ(controls::headingReadout(359.6), QStringLiteral("000"));
    EXPECT_EQ(controls::headingReadout(-0.4), QStringLiteral("000"));
    EXPECT_EQ(controls::headingReadout(-90), QStringLiteral("270"));
    EXPECT_EQ(controls::headingReadout(NaN), QStringLiteral("---"));
    EXPECT_EQ(controls::headingReadout(-Inf), QStringLiteral("---"));
}

} // namespace
