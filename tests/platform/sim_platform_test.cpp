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

// As with Qt's timers and ports: a handler that waits is not entered again by
// its own timer, but a port's receive event nests inside it.
TEST_F(SimPlatformTest, PortEventsNestInsideAWaitingHandlerButTimersDoNot)
{
    auto timer = sim.pump.createTimer();
    int timerDepth = 0, timerMaxDepth = 0;
    timer->setTickHandler([&] {
        timerMaxDepth = std::max(timerMaxDepth, ++timerDepth);
        platform::Wait(sim.platform, 250);
        --timerDepth;
    });
    timer->setInterval(100);
    timer->setEnabled(true);
    sim.ports.addDevice(4);
    auto port = sim.ports.createPort();
    port->setPortNumber(4);
    std::string seen;
    int depth = 0, maxDepth = 0;
    port->setReceiveHandler([&] {
        maxDepth = std::max(maxDepth, ++depth);
        seen += port->readAll();
        if (depth == 1)
            platform::Wait(sim.platform, 50);
        --depth;
    });
    ASSERT_TRUE(port->open());
    sim.ports.openPort(4)->deliver("a", 10);
    sim.ports.openPort(4)->deliver("b", 20);
    sim.advance(1000);
    EXPECT_EQ(seen, "ab");
    EXPECT_EQ(maxDepth, 2);
    EXPECT_EQ(timerMaxDepth, 1);
}

} // namespace
