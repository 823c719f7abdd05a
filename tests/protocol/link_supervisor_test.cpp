#include "platform/sim/sim_platform.h"
#include "protocol/console_state.h"
#include "protocol/link_supervisor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// The supervision with its port open, checking every 500 ms from the start.
class LinkSupervision : public ::testing::Test {
protected:
    LinkSupervision()
    {
        sim.ports.addDevice(2);
        port->setPortNumber(2);
        EXPECT_TRUE(port->open());
        protocol::LinkOutlets out;
        out.alive = [this](bool shown) { alive = shown; };
        link.setOutlets(std::move(out));
        link.start();
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim{dir.path()};
    protocol::ConsoleState state;
    std::unique_ptr<platform::SerialPort> port = sim.ports.createPort();
    protocol::LinkSupervisor link{sim.platform, state, *port};
    std::optional<bool> alive;
};

// A compass in output format 16 may be silent for 7000 ms between polls. Once
// it has fallen silent, the limit is 1800 ms again, whatever format it is in.
TEST_F(LinkSupervision, SilenceAfterAFormat16SpellBringsTheLimitBackTo1800Ms)
{
    state.DumpReceived = true;
    state.Settings.OutputFormat = 16;
    sim.advance(100);
    link.signOfLife();
    sim.advance(400);
    EXPECT_EQ(alive, true);
    EXPECT_EQ(state.AliveTimeout, 7000);
    EXPECT_TRUE(link.tmrAskCmp().isTicking());

    // Switched to format 1 by another tool, it falls silent.
    state.Settings.OutputFormat = 1;
    sim.advance(6500);
    EXPECT_EQ(alive, true) << "6900 ms of silence";
    sim.advance(500);
    EXPECT_EQ(alive, false) << "7400 ms of silence";
    EXPECT_EQ(state.AliveTimeout, 1800);

    // It talks again, then falls silent once more.
    sim.advance(100);
    link.signOfLife();
    sim.advance(1400);
    EXPECT_EQ(alive, true);
    sim.advance(500);
    EXPECT_EQ(alive, false) << "1900 ms of silence";
}

// The escape search is refused once the silence has reached the limit; the
// check counts the compass as silent only beyond it.
TEST_F(LinkSupervision, TheEscapeSearchIsRefusedFromTheLimitItselfOn)
{
    sim.advance(200);
    link.signOfLife();
    sim.advance(1799);
    EXPECT_FALSE(link.silenceReachedLimit());
    sim.advance(1);
    EXPECT_TRUE(link.silenceReachedLimit());
    EXPECT_EQ(alive, true) << "the check at 1800 ms of silence";
}

} // namespace
