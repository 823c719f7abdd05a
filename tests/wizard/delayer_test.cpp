#include "platform/sim/sim_platform.h"
#include "wizard/delayer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>

namespace {

class DelayerTest : public ::testing::Test {
protected:
    DelayerTest() : sim(dir.path()), delayer(sim.platform)
    {
        QObject::connect(&delayer, &wizard::Delayer::TimeElapsed, [this] {
            ++events;
            elapsedAt = sim.now();
            runningInside = delayer.IsRunning();
            barAtEvent = delayer.progressWidth();
        });
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    wizard::Delayer delayer;
    int events = 0;
    std::optional<platform::sim::VirtualMs> elapsedAt;
    bool runningInside = false;
    int barAtEvent = -1;
};

TEST_F(DelayerTest, RaisesOnceOnTheFirstTickAfterTheSpanWithTheBarFull)
{
    delayer.setDelay(1000);
    const platform::sim::VirtualMs started = sim.now();
    delayer.Start();
    EXPECT_TRUE(delayer.IsRunning());
    EXPECT_EQ(delayer.progressWidth(), 0);

    sim.advance(500);
    EXPECT_EQ(events, 0);
    EXPECT_GT(delayer.progressWidth(), 0);
    EXPECT_LT(delayer.progressWidth(), 73);

    sim.advance(1500);
    ASSERT_EQ(events, 1);
    EXPECT_GT(*elapsedAt - started, 1000u);
    EXPECT_LE(*elapsedAt - started, 1100u);
    EXPECT_TRUE(runningInside);
    EXPECT_FALSE(delayer.IsRunning());
    EXPECT_EQ(barAtEvent, 73);
}

TEST_F(DelayerTest, ResetStopsTheSpanAndFreezesTheBar)
{
    delayer.setDelay(1000);
    delayer.Start();
    sim.advance(400);
    delayer.Reset();
    const int frozen = delayer.progressWidth();
    EXPECT_GT(frozen, 0);
    EXPECT_FALSE(delayer.IsRunning());

    sim.advance(2000);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(delayer.progressWidth(), frozen);
}

TEST_F(DelayerTest, ARestartFromTheHandlerIsUndone)
{
    QObject::connect(&delayer, &wizard::Delayer::TimeElapsed, [this] { delayer.Start(); });
    delayer.setDelay(300);
    delayer.Start();
    sim.advance(2000);
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(delayer.IsRunning());
}

TEST(DelayerWrap, MeasuresAcrossTheWrapOfTheTickCount)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path(), 0xFFFFFF00u);
    wizard::Delayer delayer(sim.platform);
    int events = 0;
    QObject::connect(&delayer, &wizard::Delayer::TimeElapsed, [&events] { ++events; });
    delayer.setDelay(1000);
    delayer.Start();
    sim.advance(900);
    EXPECT_EQ(events, 0);
    sim.advance(300);
    EXPECT_EQ(events, 1);
}

} // namespace
