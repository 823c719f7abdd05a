#include "controls/attitude_indicator.h"
#include "controls/dial_angles.h"
#include "controls/heading_indicator.h"
#include "tests/non_finite.h"

#include <QApplication>
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

// Counts the paints of the widgets it watches.
struct PaintCounter : QObject {
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

TEST(DialAngles, DialsRepaintOnlyWhenWhatTheyDrawChanges)
{
    controls::HeadingIndicator heading;
    controls::AttitudeIndicator attitude;
    PaintCounter counter;
    for (QWidget *dial : {static_cast<QWidget *>(&heading), static_cast<QWidget *>(&attitude)}) {
        dial->show();
        dial->installEventFilter(&counter);
    }
    using I = platform::Instrument;
    const struct {
        controls::Gauge &dial;
        int dispatch;
        double before, after;
        bool repaints;
    } cases[] = {
        {heading, I::Heading, 10, 10.01, true},   {heading, I::Heading, 10, 370, false},
        {heading, I::Heading, NaN, Inf, false},   {heading, I::Heading, NaN, 0, true},
        {heading, I::HeadingBug, 10, 9.99, true}, {heading, I::HeadingBug, -10, 350, false},
        {heading, I::HeadingSelect, 10, 20, false},
        // The attitude dial's readout shows whole degrees of heading.
        {attitude, I::Heading, 10.1, 10.4, false}, {attitude, I::Heading, 10.4, 10.6, true},
        {attitude, I::Pitch, 95, 120, false},      {attitude, I::Pitch, 10, 10.01, true},
        {attitude, I::Roll, 190, -170, false},     {attitude, I::Roll, 10, 10.01, true},
    };
    for (const auto &c : cases) {
        c.dial.setValue(c.dispatch, c.before);
        QApplication::processEvents();
        counter.paints = 0;
        c.dial.setValue(c.dispatch, c.after);
        QApplication::processEvents();
        EXPECT_EQ(counter.paints > 0, c.repaints) << c.dispatch << ": " << c.before << " to " << c.after;
    }
}

TEST(DialAngles, AKeptFaceFollowsSizeAndBackground)
{
    const auto drawnAnew = [](std::uint32_t background) {
        controls::HeadingIndicator dial;
        dial.resize(190, 170);
        dial.setBackgroundColor(background);
        return dial.grab().toImage();
    };
    controls::HeadingIndicator kept;
    kept.setBackgroundColor(0xFF0000);
    kept.resize(150, 150);
    kept.grab();
    kept.resize(190, 170);
    EXPECT_EQ(kept.grab().toImage(), drawnAnew(0xFF0000));
    kept.setBackgroundColor(0x00FF00);
    EXPECT_EQ(kept.grab().toImage(), drawnAnew(0x00FF00));
}

} // namespace
