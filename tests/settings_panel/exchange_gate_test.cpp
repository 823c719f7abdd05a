#include "panel_bench.h"

#include "platform/wait.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace panel_test {
namespace {

using Cmd = settings_panel::CompassSettingsPanel;

class ExchangeOrder : public PanelBench {};

TEST_F(ExchangeOrder, APollDuringAPanelCommandRunsAfterIt)
{
    host.sim().clearWritten();
    const VirtualMs start = sim.now();
    // The ask timer ticks in the middle of the command's pauses.
    auto poll = sim.pump.createTimer();
    poll->setInterval(700);
    poll->setTickHandler([&] {
        poll->setEnabled(false);
        controller.RequestSettings(false);
    });
    poll->setEnabled(true);
    panel->txtCSDeguass()->setText("100");
    controller.commands().Press(Cmd::Deguass);
    EXPECT_EQ(sent(start), (std::vector<Sent>{{0, ESC}, {After(500), "S"}, {After(500), "100\r"}}))
        << "no settings read inside the command";

    sim.advance(2000);
    const auto written = sent(start);
    ASSERT_EQ(written.size(), 6u);
    EXPECT_EQ(written[3], (Sent{1, ESC}));
    EXPECT_EQ(written[4], (Sent{After(50) + After(300), "&"}));
    EXPECT_EQ(written[5], (Sent{After(500), " "}));
    EXPECT_TRUE(state.SettingsKnown);
}

TEST_F(ExchangeOrder, APollIsDroppedWhenTheCommandReadTheSettingsAnyway)
{
    auto poll = sim.pump.createTimer();
    poll->setInterval(700);
    poll->setTickHandler([&] {
        poll->setEnabled(false);
        controller.RequestSettings(false);
    });
    poll->setEnabled(true);
    const auto written = press(Cmd::OutputRate);
    sim.advance(2000);
    // Command (3 writes) and its own read (3 writes), nothing after.
    EXPECT_EQ(host.sim().written().size(), 6u);
    EXPECT_EQ(written.size(), 6u);
}

TEST_F(ExchangeOrder, DataDuringASettingsReadStartsNoSecondRead)
{
    // The first data sentence starts a read; more sentences arrive before the
    // dump has begun.
    reply({"$C1.0P2.0R3.0*00"}, 0);
    reply({"$C1.0P2.0R3.0*00"}, 20);
    reply({"$C1.0P2.0R3.0*00"}, 40);
    sim.advance(3000);
    EXPECT_EQ(host.sim().writtenText(), ESC + "& ");
    EXPECT_GE(dataLinesParsed.size(), 2u);
}

TEST_F(ExchangeOrder, APanelPressDuringAReadWaitsForItsEnd)
{
    host.sim().clearWritten();
    const VirtualMs start = sim.now();
    // The user presses "Set" while a poll read is between its keys.
    auto click = sim.pump.createTimer();
    click->setInterval(100);
    click->setTickHandler([&] {
        click->setEnabled(false);
        controller.commands().Press(Cmd::ZeroDepth);
        EXPECT_FALSE(panel->cmdSet(Cmd::ZeroDepth)->isEnabled()) << "the press shows it is waiting";
    });
    click->setEnabled(true);
    controller.RequestSettings(false);
    sim.advance(3000);
    const auto written = sent(start);
    ASSERT_EQ(written.size(), 6u);
    EXPECT_EQ(written[2].bytes, " ");
    EXPECT_EQ(written[3], (Sent{1, ESC}));
    EXPECT_EQ(written[4], (Sent{After(500), "P"}));
    EXPECT_EQ(written[5], (Sent{After(500), " "}));
    EXPECT_TRUE(panel->cmdSet(Cmd::ZeroDepth)->isEnabled());
}

TEST_F(ExchangeOrder, ACalibrationHoldsTheMenuUntilItsLastPress)
{
    press(Cmd::LevelCalibration);
    host.sim().clearWritten();
    controller.RequestSettings(false);
    sim.advance(10000);
    EXPECT_TRUE(host.sim().written().empty()) << "a read would send a blank and end the calibration";

    const VirtualMs start = sim.now();
    controller.commands().Press(Cmd::LevelCalibration);
    sim.advance(2000);
    const auto written = sent(start);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0], (Sent{0, " "}));
    EXPECT_EQ(written[1], (Sent{1, ESC}));
}

TEST_F(ExchangeOrder, ShowCompassDataWaitsForARunningRead)
{
    state.DumpReceived = true;
    host.sim().setPeer([this](std::string_view bytes) {
        if (bytes == "&")
            reply({"AVERAGING=4"}, 20);
    });
    auto click = sim.pump.createTimer();
    click->setInterval(100);
    click->setTickHandler([&] {
        click->setEnabled(false);
        controller.ShowCompassData();
    });
    click->setEnabled(true);
    host.sim().clearWritten();
    controller.RequestSettings(false);
    EXPECT_TRUE(host.shownWindows.empty());
    sim.advance(3000);
    EXPECT_EQ(host.sim().writtenText(), ESC + "& " + ESC + "& ");
    EXPECT_EQ(host.shownWindows.size(), 1u);
}

} // namespace
} // namespace panel_test
