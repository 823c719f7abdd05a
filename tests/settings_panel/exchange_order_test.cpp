#include "panel_bench.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace panel_test {
namespace {

class ExchangeOrder : public PanelBench {
protected:
    // Runs `action` once, `ms` from now, from the event loop (a timer tick or a click).
    void after(int ms, std::function<void()> action)
    {
        m_timers.push_back(sim.pump.createTimer());
        platform::Timer &timer = *m_timers.back();
        timer.setInterval(ms);
        timer.setTickHandler([&timer, action = std::move(action)] {
            timer.setEnabled(false);
            action();
        });
        timer.setEnabled(true);
    }

private:
    std::vector<std::unique_ptr<platform::Timer>> m_timers;
};

TEST_F(ExchangeOrder, APollDuringAPanelCommandRunsAfterItUnlessTheCommandReadTheSettings)
{
    after(700, [this] { controller.RequestSettings(false); });
    panel->txtCSDeguass()->setText("100");
    const VirtualMs start = sim.now();
    controller.commands().Press(Cmd::Deguass);
    sim.advance(2000);
    EXPECT_EQ(sent(start), (std::vector<Sent>{{0, ESC}, {After(500), "S"}, {After(500), "100\r"},
                                              {1, ESC}, {After(50) + After(300), "&"}, {After(500), " "}}));

    after(700, [this] { controller.RequestSettings(false); });
    const auto written = press(Cmd::OutputRate);
    sim.advance(2000);
    EXPECT_EQ(written.size(), 6u) << "the command and its own read";
    EXPECT_EQ(host.sim().written().size(), 6u) << "and no poll after them";
}

TEST_F(ExchangeOrder, APanelPressDuringAReadWaitsForItsEnd)
{
    after(100, [this] {
        controller.commands().Press(Cmd::ZeroDepth);
        EXPECT_FALSE(panel->cmdSet(Cmd::ZeroDepth)->isEnabled()) << "the press shows it is waiting";
    });
    const VirtualMs start = sim.now();
    controller.RequestSettings(false);
    sim.advance(3000);
    const auto written = sent(start);
    ASSERT_EQ(written.size(), 6u);
    EXPECT_EQ(std::vector<Sent>(written.begin() + 2, written.end()),
              (std::vector<Sent>{{After(500), " "}, {1, ESC}, {After(500), "P"}, {After(500), " "}}));
    EXPECT_TRUE(panel->cmdSet(Cmd::ZeroDepth)->isEnabled());
}

} // namespace
} // namespace panel_test
