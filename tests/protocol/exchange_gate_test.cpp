#include "platform/sim/sim_platform.h"
#include "protocol/menu_exchange_gate.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(MenuExchangeGate, OneExchangeAtATimeAndDeferredWorkRunsAfterIt)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    protocol::MenuExchangeGate gate(sim.pump);
    std::vector<std::string> order;

    auto first = gate.tryBegin();
    ASSERT_TRUE(first);
    EXPECT_TRUE(gate.busy());
    EXPECT_FALSE(gate.tryBegin());
    gate.whenFree([&] {
        order.push_back("deferred");
        EXPECT_TRUE(gate.tryBegin()) << "the gate is free when deferred work runs";
    });
    sim.advance(10);
    EXPECT_TRUE(order.empty());

    // Ending the exchange does not run the work inside the one who ended it.
    first->end();
    order.push_back("ended");
    EXPECT_FALSE(gate.busy());
    sim.advance(1);
    EXPECT_EQ(order, (std::vector<std::string>{"ended", "deferred"}));
}

TEST(MenuExchangeGate, DeferredWorkThatFindsTheGateTakenWaitsAgain)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    protocol::MenuExchangeGate gate(sim.pump);
    std::optional<protocol::MenuExchange> held;
    int second = 0;
    gate.whenFree([&] { held = gate.tryBegin(); });
    gate.whenFree([&] { ++second; });
    sim.advance(5);
    ASSERT_TRUE(held.has_value());
    EXPECT_TRUE(gate.busy());
    EXPECT_EQ(second, 0);
    held.reset();
    sim.advance(5);
    EXPECT_EQ(second, 1);
}

} // namespace
