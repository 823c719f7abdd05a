#include "device/cls_automation.h"
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(Automation, OffersCom12At9600N81AndItsMotionSendsNothing)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    device::clsAutomation fixture(sim.platform);
    EXPECT_EQ(fixture.SettingsText(), "9600,N,8,1");
    EXPECT_FALSE(fixture.StartAutomation()) << "not bound";

    sim.ports.addDevice(12);
    auto port = sim.ports.createPort();
    fixture.SetCom(*port);
    ASSERT_TRUE(fixture.StartAutomation());
    EXPECT_EQ(port->portNumber(), 12);
    const auto before = sim.now();
    fixture.RotateBoard360();
    fixture.TiltBoard(90);
    EXPECT_TRUE(sim.ports.ports().front()->written().empty());
    EXPECT_EQ(sim.now(), before);
    fixture.StopAutomation();
    EXPECT_FALSE(port->isOpen());
}
