#include "platform/sim/sim_platform.h"
#include "platform/wait.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using platform::sim::SimPlatform;
using platform::sim::VirtualMs;

class SimPlatformTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SimPlatform sim{dir.path()};
};

TEST_F(SimPlatformTest, WaitReturnsOnceMoreThanTheTimeHasPassedRunningEventsMeanwhile)
{
    auto timer = sim.pump.createTimer();
    std::vector<VirtualMs> ticks;
    timer->setTickHandler([&] { ticks.push_back(sim.now()); });
    timer->setInterval(30);
    timer->setEnabled(true);
    const auto start = sim.now();
    platform::Wait(sim.platform, 100);
    EXPECT_EQ(sim.now() - start, 101u);
    EXPECT_EQ(ticks, (std::vector<VirtualMs>{30, 60, 90}));
    platform::Wait(sim.platform, 0);
    EXPECT_EQ(sim.now() - start, 102u);
}

// The tick count wraps every 2^32 ms: a wait that spans the wrap ends on time.
TEST(TickWrap, AWaitStartedJustBeforeTheWrapEndsOnTime)
{
    QTemporaryDir dir;
    SimPlatform sim(dir.path(), 0xFFFFFFF0u);
    platform::Wait(sim.platform, 30);
    EXPECT_EQ(sim.now(), 31u);
    EXPECT_EQ(sim.clock.tickCount(), 0x0Fu);
}

} // namespace
