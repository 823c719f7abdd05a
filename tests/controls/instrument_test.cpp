#include "controls/attitude_indicator.h"
#include "tests/non_finite.h"
#include "controls/heading_indicator.h"
#include "tests/controls/widget_fixture.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using controls::AttitudeIndicator;
using controls::HeadingIndicator;
using controls_test::snapshot;
using platform::Instrument;

bool isSky(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 60;
}

bool isGround(QRgb pixel)
{
    return qRed(pixel) > qBlue(pixel) + 60;
}

// A point of the horizon ball `dy` design pixels below the centre, clear of
// the pitch ladder and the aircraft symbol (the design square is 200 wide).
QRgb ballPixel(AttitudeIndicator &horizon, int dy)
{
    const QImage image = snapshot(horizon);
    const double scale = std::min(image.width(), image.height()) / 200.0;
    return image.pixel(QPoint(qRound(image.width() / 2.0 - 60 * scale), qRound(image.height() / 2.0 + dy * scale)));
}

TEST(AttitudeIndicator, SkyAboveGroundBelowFollowingPitchAndRoll)
{
    AttitudeIndicator horizon;
    horizon.resize(200, 200);
    EXPECT_TRUE(isSky(ballPixel(horizon, -30)));
    EXPECT_TRUE(isGround(ballPixel(horizon, 30)));

    // Nose up: the horizon sinks below the point.
    horizon.setValue(Instrument::Pitch, 40);
    EXPECT_TRUE(isSky(ballPixel(horizon, 30)));

    // Upside down: the ground is on top.
    horizon.setValue(Instrument::Pitch, 0);
    horizon.setValue(Instrument::Roll, 180);
    EXPECT_TRUE(isGround(ballPixel(horizon, -30)));
    EXPECT_TRUE(isSky(ballPixel(horizon, 30)));
}

TEST(HeadingIndicator, BackgroundColourIsRedGreenBlue)
{
    HeadingIndicator air1;
    air1.resize(120, 80);
    air1.setBackgroundColor(0xFFFFFF);
    EXPECT_EQ(snapshot(air1).pixel(2, 2), qRgb(255, 255, 255));
    air1.setBackgroundColor(0x102030);
    EXPECT_EQ(snapshot(air1).pixel(2, 2), qRgb(0x10, 0x20, 0x30));
}

TEST(HeadingIndicator, CardTurnsWithTheHeading)
{
    HeadingIndicator air1;
    air1.resize(150, 150);
    air1.setValue(Instrument::Heading, 0);
    const QImage north = snapshot(air1);
    air1.setValue(Instrument::Heading, 360);
    EXPECT_EQ(snapshot(air1), north);
    air1.setValue(Instrument::Heading, 90);
    EXPECT_NE(snapshot(air1), north);
}

// Numbers that are no angle draw as level flight.
TEST(AttitudeIndicator, NumbersThatAreNoAngleDrawLevelFlight)
{
    AttitudeIndicator horizon;
    horizon.resize(200, 200);
    for (double number : {NaN, Inf, -Inf}) {
        horizon.setValue(Instrument::Pitch, number);
        horizon.setValue(Instrument::Roll, -number);
        EXPECT_TRUE(isSky(ballPixel(horizon, -30))) << number;
        EXPECT_TRUE(isGround(ballPixel(horizon, 30))) << number;
    }
}

} // namespace
