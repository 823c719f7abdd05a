#include "device/cls_automation.h"
#include "device/cls_compass.h"
#include "platform/sim/sim_platform.h"
#include "wizard/step_base.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TEST(StepBaseTest, KeepsTheReferencesAndCopiesTheCompassesUnderTestByPosition)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    device::clsCompass reference(sim.platform), first(sim.platform), second(sim.platform);
    device::clsAutomation fixture(sim.platform);
    first.Id = 7;
    second.Id = 12;
    wizard::TestCompassCollection given;
    given.add(first);
    given.add(second);

    wizard::StepBase base;
    device::clsCompass *ref = &reference;
    device::clsAutomation *automation = &fixture;
    base.InitializeStep(ref, given, automation);

    EXPECT_EQ(base.RefCompass(), &reference);
    EXPECT_EQ(base.BoardAutomation(), &fixture);
    EXPECT_EQ(base.CompassesUnderTest(), 2);
    EXPECT_EQ(base.TestCompass(1), &first);
    EXPECT_EQ(base.TestCompass(2), &second);
    EXPECT_EQ(base.TestCompass(0), nullptr);
    EXPECT_EQ(base.TestCompass(3), nullptr);
    EXPECT_EQ(base.TestCompasses().entries()[1].key, "c12");

    // A later preparation with an empty collection forgets the earlier one.
    base.InitializeStep(ref, wizard::TestCompassCollection{}, automation);
    EXPECT_EQ(base.CompassesUnderTest(), 0);
    EXPECT_EQ(base.TestCompass(1), nullptr);
}

} // namespace
