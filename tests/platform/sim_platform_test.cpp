#include "platform/sim/sim_platform.h"
#include "platform/wait.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using platform::sim::SimPlatform;
using platform::sim::SimSerialPort;

class SimPlatformTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SimPlatform sim{dir.path()};
};

TEST_F(SimPlatformTest, WaitReturnsOnceMoreThanTheTimeHasPassed)
{
    const auto start = sim.now();
    platform::Wait(sim.platform, 100);
    EXPECT_EQ(sim.now() - start, 101u);
    platform::Wait(sim.platform, 0);
    EXPECT_EQ(sim.now() - start, 102u);
}

TEST_F(SimPlatformTest, WaitRunsEventsThatFallDue)
{
    auto timer = sim.pump.createTimer();
    std::vector<platform::sim::VirtualMs> ticks;
    timer->setTickHandler([&] { ticks.push_back(sim.now()); });
    timer->setInterval(30);
    timer->setEnabled(true);
    platform::Wait(sim.platform, 100);
    EXPECT_EQ(ticks, (std::vector<platform::sim::VirtualMs>{30, 60, 90}));
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
    sim.advance(5000);
    EXPECT_EQ(count, 2);
    sim.advance(100);
    timer->setInterval(250);
    sim.advance(249);
    EXPECT_EQ(count, 2);
    sim.advance(1);
    EXPECT_EQ(count, 3);
}

TEST_F(SimPlatformTest, TimerHandlerIsNotEnteredAgainWhileItWaits)
{
    auto timer = sim.pump.createTimer();
    int depth = 0, maxDepth = 0, count = 0;
    timer->setTickHandler([&] {
        ++count;
        maxDepth = std::max(maxDepth, ++depth);
        platform::Wait(sim.platform, 250);
        --depth;
    });
    timer->setInterval(100);
    timer->setEnabled(true);
    sim.advance(1000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GE(count, 3);
}

TEST_F(SimPlatformTest, PortEventsNestInsideAWaitingHandler)
{
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
    auto *far = sim.ports.openPort(4);
    far->deliver("a", 10);
    far->deliver("b", 20);
    sim.advance(100);
    EXPECT_EQ(seen, "ab");
    EXPECT_EQ(maxDepth, 2);
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

TEST_F(SimPlatformTest, PortsFailToOpenWhenMissingOrHeld)
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
    EXPECT_EQ(a->failure(), Failure::None);
    EXPECT_FALSE(b->open());
    EXPECT_EQ(b->failure(), Failure::Busy);
    a->close();
    EXPECT_TRUE(b->open());
    b->close();
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
    SimSerialPort &far = *sim.ports.openPort(2);
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

TEST_F(SimPlatformTest, ABoxStaysOpenWhileEventsRunAndAnswersWhenItCloses)
{
    auto timer = sim.pump.createTimer();
    int ticks = 0;
    timer->setTickHandler([&] { ++ticks; });
    timer->setInterval(100);
    timer->setEnabled(true);
    sim.messages.queueAnswer(platform::MessageResult::No, 300);
    EXPECT_EQ(sim.messages.show("Sure?", platform::MessageIcon::Question, platform::MessageButtons::YesNo),
              platform::MessageResult::No);
    EXPECT_EQ(sim.now(), 300u);
    EXPECT_EQ(ticks, 3);
    // Unscripted: a reader of a second and a half.
    sim.messages.show("Note", platform::MessageIcon::Information);
    EXPECT_EQ(sim.now(), 1800u);
    EXPECT_EQ(sim.files.choose({}), std::nullopt);
    EXPECT_EQ(sim.now(), 4800u) << "a file dialog is open three seconds";
}

TEST_F(SimPlatformTest, WrittenBytesCarryTheirTime)
{
    sim.ports.addDevice(2);
    auto port = sim.ports.createPort();
    port->setPortNumber(2);
    ASSERT_TRUE(port->open());
    port->write("\x1b");
    platform::Wait(sim.platform, 500);
    port->write("R");
    const auto &w = sim.ports.openPort(2)->written();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[1].at - w[0].at, 501u);
    EXPECT_EQ(sim.ports.openPort(2)->writtenText(), "\x1bR");
}

TEST_F(SimPlatformTest, TickCountWrapsButDifferencesStayRight)
{
    QTemporaryDir d;
    SimPlatform wrap(d.path(), 0xFFFFFFF0u);
    const platform::Tick before = wrap.clock.tickCount();
    wrap.advance(0x20);
    EXPECT_LT(wrap.clock.tickCount(), before);
    EXPECT_EQ(platform::ticksSince(wrap.clock.tickCount(), before), 0x20u);
    const auto start = wrap.now();
    platform::Wait(wrap.platform, 30);
    EXPECT_EQ(wrap.now() - start, 31u);
}

} // namespace
