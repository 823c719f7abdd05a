#include "controls/attitude_indicator.h"
#include "tests/non_finite.h"
#include "controls/heading_indicator.h"
#include "tests/controls/widget_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

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

TEST(Instruments, PaintAtAnySizeAndWithAnyNumberKeepingItAsWritten)
{
    AttitudeIndicator horizon;
    HeadingIndicator air1;
    for (double number : {NaN, Inf, -Inf, 1e300, -1e300, 0.0, 359.999, -45.0}) {
        for (int property : {Instrument::Heading, Instrument::Pitch, Instrument::Roll, Instrument::HeadingBug}) {
            horizon.setValue(property, number);
            air1.setValue(property, number);
        }
        for (QSize size : {QSize(1, 1), QSize(19, 300), QSize(64, 64), QSize(400, 250)}) {
            horizon.resize(size);
            air1.resize(size);
            EXPECT_FALSE(snapshot(horizon).isNull());
            EXPECT_FALSE(snapshot(air1).isNull());
        }
    }
    horizon.setValue(Instrument::Pitch, NaN);
    EXPECT_TRUE(std::isnan(horizon.value(Instrument::Pitch)));

    // Numbers that are no angle draw as level flight.
    horizon.resize(200, 200);
    horizon.setValue(Instrument::Roll, Inf);
    EXPECT_TRUE(isSky(ballPixel(horizon, -30)));
    EXPECT_TRUE(isGround(ballPixel(horizon, 30)));
}

} // namespace
