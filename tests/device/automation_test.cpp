#include "device/cls_automation.h"
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TEST(Automation, OffersCom12At9600N81AndOpensItWhenBound)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    device::clsAutomation fixture(sim.platform);
    EXPECT_EQ(fixture.ComPort, "12");
    EXPECT_EQ(fixture.SettingsText(), "9600,N,8,1");
    EXPECT_FALSE(fixture.StartAutomation());
    EXPECT_TRUE(sim.ports.ports().empty());

    sim.ports.addDevice(12);
    auto port = sim.ports.createPort();
    fixture.SetCom(*port);
    ASSERT_TRUE(fixture.StartAutomation());
    EXPECT_EQ(port->portNumber(), 12);
    fixture.StopAutomation();
    EXPECT_FALSE(port->isOpen());
}

TEST(Automation, MotionSendsNothing)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    sim.ports.addDevice(12);
    auto port = sim.ports.createPort();
    device::clsAutomation fixture(sim.platform);
    fixture.SetCom(*port);
    ASSERT_TRUE(fixture.StartAutomation());
    const auto before = sim.now();
    fixture.RotateBoard360();
    fixture.TiltBoard(90);
    fixture.TiltBoard(0);
    EXPECT_TRUE(sim.ports.ports().front()->written().empty());
    EXPECT_EQ(sim.now(), before);
}

} // namespace
