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

TEST_F(SimPlatformTest, TimerStopsAtIntervalZeroAndRestartsFromNow)
{
    auto timer = sim.pump.createTimer();
    int count = 0;
    timer->setTickHandler([&] { ++count; });
    timer->setInterval(500);
    timer->setEnabled(true);
    sim.advance(1000);
    EXPECT_EQ(count, 2);
    timer->setInterval(0);
    sim.advance(5100);
    EXPECT_EQ(count, 2);
    timer->setInterval(250);
    sim.advance(249);
    EXPECT_EQ(count, 2);
    sim.advance(1);
    EXPECT_EQ(count, 3);
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

TEST_F(SimPlatformTest, ReceiveThresholdHoldsBackShortInput)
{
    sim.ports.addDevice(1);
    auto port = sim.ports.createPort();
    port->setPortNumber(1);
    port->setReceiveThreshold(10);
    int events = 0;
    port->setReceiveHandler([&] { ++events; port->readAll(); });
    ASSERT_TRUE(port->open());
    sim.ports.openPort(1)->deliver("12345");
    sim.advance(10);
    EXPECT_EQ(events, 0);
    sim.ports.openPort(1)->deliver("67890");
    sim.advance(10);
    EXPECT_EQ(events, 1);
}

TEST_F(SimPlatformTest, PortsFailToOpenWhenMissingHeldOrForbidden)
{
    auto a = sim.ports.createPort();
    auto b = sim.ports.createPort();
    a->setPortNumber(5);
    b->setPortNumber(5);
    using Failure = platform::SerialPort::Failure;
    EXPECT_FALSE(a->open());
    EXPECT_EQ(a->failure(), Failure::NoDevice);
    EXPECT_EQ(a->errorString(), "COM5 is /dev/ttyS4: No such file or directory.");
    sim.ports.addDevice(5);
    EXPECT_TRUE(a->open());
    EXPECT_FALSE(b->open());
    EXPECT_EQ(b->failure(), Failure::Busy);
    a->close();
    sim.ports.denyAccess(5);
    EXPECT_FALSE(b->open());
    EXPECT_EQ(b->failure(), Failure::NoPermission);
}

TEST_F(SimPlatformTest, ALineThatHangsUpMidWriteLosesTheRestAndIsReportedFromTheLoop)
{
    sim.ports.addDevice(2);
    auto port = sim.ports.createPort();
    port->setPortNumber(2);
    int lost = 0;
    port->setLostHandler([&](const std::string &) { ++lost; });
    ASSERT_TRUE(port->open());
    platform::sim::SimSerialPort &far = *sim.ports.openPort(2);
    far.hangUpAfterWriting(3, "COM2 hung up");
    port->write("\x1b" "B9600\r");
    port->write("more");
    EXPECT_EQ(far.writtenText(), "\x1b" "B9");
    EXPECT_TRUE(port->isOpen()) << "a real port notices the hang-up only in its event loop";
    EXPECT_EQ(lost, 0);
    sim.advance(1);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::HungUp);
}

} // namespace
