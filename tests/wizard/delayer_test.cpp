#include "platform/sim/sim_platform.h"
#include "wizard/delayer.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

class DelayerTest : public ::testing::Test {
protected:
    explicit DelayerTest(platform::Tick firstTick = 1000) : sim(dir.path(), firstTick), delayer(sim.platform)
    {
        QObject::connect(&delayer, &wizard::Delayer::TimeElapsed, [this] {
            ++events;
            elapsedAt = sim.now();
            runningInside = delayer.IsRunning();
            barAtEvent = delayer.progressWidth();
        });
        delayer.setDelay(1000);
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    wizard::Delayer delayer;
    int events = 0;
    platform::sim::VirtualMs elapsedAt = 0;
    bool runningInside = false;
    int barAtEvent = -1;
};

TEST_F(DelayerTest, RaisesOnceOnTheFirstTickAfterTheSpanWithTheBarFull)
{
    const auto started = sim.now();
    delayer.Start();
    sim.advance(500);
    EXPECT_EQ(events, 0);
    EXPECT_NEAR(delayer.progressWidth(), 73 / 2, 2);
    sim.advance(1500);
    ASSERT_EQ(events, 1);
    EXPECT_GT(elapsedAt - started, 1000u);
    EXPECT_LE(elapsedAt - started, 1100u);
    EXPECT_TRUE(runningInside);
    EXPECT_FALSE(delayer.IsRunning());
    EXPECT_EQ(barAtEvent, 73);
}

class DelayerAtTickWrap : public DelayerTest {
protected:
    DelayerAtTickWrap() : DelayerTest(0xFFFFFF00u) {}
};

TEST_F(DelayerAtTickWrap, MeasuresAcrossTheWrap)
{
    delayer.Start();
    sim.advance(900);
    EXPECT_EQ(events, 0);
    sim.advance(300);
    EXPECT_EQ(events, 1);
}

} // namespace
