#include "panel_bench.h"

#include "platform/wait.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace panel_test {
namespace {

using Cmd = settings_panel::CompassSettingsPanel;
const std::string ESC = "\x1b";

std::vector<Sent> valueWithCr(char key, const std::string &value)
{
    return {{0, ESC}, {After(500), std::string(1, key)}, {After(500), value + "\r"}};
}

std::vector<Sent> valueThenCr(char key, const std::string &value)
{
    return {{0, ESC}, {After(500), std::string(1, key)}, {After(500), value}, {After(500), "\r"}};
}

class PanelCommands : public PanelBench {};

TEST_F(PanelCommands, ValueAndCrGoOutInOneWrite)
{
    panel->cmbCSBaud()->setCurrentIndex(3);
    EXPECT_EQ(press(Cmd::BaudRate), valueWithCr('B', "3"));

    panel->txtCSDeguass()->setText("250");
    EXPECT_EQ(press(Cmd::Deguass), valueWithCr('S', "250"));

    panel->txtCSAvgSamples()->setText("12");
    EXPECT_EQ(press(Cmd::AvgSamples), valueWithCr('A', "12"));

    panel->txtCSMaxPressure()->setText("300");
    EXPECT_EQ(press(Cmd::MaxPressure), valueWithCr('M', "300"));

    panel->txtCSSkipReadings()->setText("4");
    EXPECT_EQ(press(Cmd::SkipReadings), valueWithCr('l', "4"));

    // A text that is no number goes out as typed; the compass's prompt decides.
    panel->txtCSAvgSamples()->setText("x1");
    EXPECT_EQ(press(Cmd::AvgSamples), valueWithCr('A', "x1"));
}

TEST_F(PanelCommands, AnglesGoOutInTenths)
{
    panel->txtCSDeviation()->setText("12.5");
    EXPECT_EQ(press(Cmd::Deviation), valueWithCr('N', "125"));
    panel->txtCSDeclination()->setText("-3.25");
    EXPECT_EQ(press(Cmd::Declination), valueWithCr('Q', "-32.5"));
    panel->txtCSDeclination()->setText("12.34");
    EXPECT_EQ(press(Cmd::Declination), valueWithCr('Q', "123.4"));
}

TEST_F(PanelCommands, AnAngleThatIsNoNumberSendsNothing)
{
    panel->txtCSDeviation()->setText("abc");
    EXPECT_TRUE(press(Cmd::Deviation).empty());
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid numeric value for Deviation."});
    EXPECT_TRUE(panel->cmdSet(Cmd::BaudRate)->isEnabled());
    EXPECT_FALSE(state.MenuCommandActive);
}

TEST_F(PanelCommands, ShowSendsTheMaskAndKeepsIt)
{
    EXPECT_EQ(press(Cmd::ShowFields), valueWithCr('X', "7"));
    EXPECT_EQ(state.Settings.DisplayFields, 7);
    for (int i = 0; i < settings_panel::CompassSettingsPanel::ShowItemCount; ++i)
        panel->chkCSShowItem(i)->setChecked(true);
    EXPECT_EQ(press(Cmd::ShowFields), valueWithCr('X', "8191"));
    EXPECT_EQ(state.Settings.DisplayFields, 8191);
}

TEST_F(PanelCommands, ValueThenCrHalfASecondLater)
{
    panel->txtCSDecimationFilter()->setText("4");
    EXPECT_EQ(press(Cmd::DecimationFilter), valueThenCr('D', "4"));

    panel->optSoftIron(0)->setChecked(true);
    EXPECT_EQ(press(Cmd::SoftIron), valueThenCr('$', "1"));
    panel->optSoftIron(1)->setChecked(true);
    EXPECT_EQ(press(Cmd::SoftIron), valueThenCr('$', "0"));

    panel->txtCSAccRange()->setText("0");
    EXPECT_EQ(press(Cmd::AccRange), valueThenCr('a', "0"));

    panel->cmbCSMountPos()->setCurrentIndex(0);
    EXPECT_EQ(press(Cmd::Mounting), valueThenCr('E', "1"));
    panel->cmbCSMountPos()->setCurrentIndex(5);
    EXPECT_EQ(press(Cmd::Mounting), valueThenCr('E', "6"));

    panel->optCSQMode(0)->setChecked(true);
    EXPECT_EQ(press(Cmd::QuietMode), valueThenCr('@', "1"));

    panel->txtCSTempOffset()->setText("-1.5");
    EXPECT_EQ(press(Cmd::TempOffset), valueThenCr('+', "-1.5"));

    panel->txtCSEuler()->setText("2");
    EXPECT_EQ(press(Cmd::EulerMath), valueThenCr('e', "2"));
}

TEST_F(PanelCommands, ActionsWithoutValue)
{
    const std::vector<Sent> zeroDepth = {{0, ESC}, {After(500), "P"}, {After(500), " "}};
    EXPECT_EQ(press(Cmd::ZeroDepth), zeroDepth);
    const std::vector<Sent> nullGyro = {{0, ESC}, {After(500), "G"}, {After(800), " "}};
    EXPECT_EQ(press(Cmd::NullGyro), nullGyro);
    const std::vector<Sent> defaults = {{0, ESC}, {After(500), "F"}, {After(500), "\r"}};
    EXPECT_EQ(press(Cmd::FactoryDefaults), defaults);
}

TEST_F(PanelCommands, TrimShowsWhatArrivedInItsWindow)
{
    host.sim().clearWritten();
    const VirtualMs start = sim.now();
    // The compass answers after the key; the last line comes too late.
    reply({"Pitch trim 0.4", "Roll trim -0.2"}, 600);
    reply({"late"}, 1200);
    // The command is over while the user reads its box: sentences are data again.
    state.SettingsKnown = true;
    reply({"$C1.0"}, 1500);
    controller.commands().Press(Cmd::TrimRollPitch);
    const std::vector<Sent> trim = {{0, ESC}, {After(500), "T"}, {After(550), " "}};
    EXPECT_EQ(sent(start), trim);
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.shown()[0].text, "Pitch trim 0.4\r\nRoll trim -0.2\r\n");
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(state.CaptureReply);
    EXPECT_EQ(dataLinesParsed, std::vector<std::string>{"$C1.0\r\n"});
}

TEST_F(PanelCommands, WithThePortClosedNothingIsSent)
{
    host.port().close();
    for (int i = 0; i < settings_panel::CompassSettingsPanel::CommandCount; ++i)
        EXPECT_TRUE(press(i).empty()) << i;
    ASSERT_EQ(sim.messages.shown().size(), 24u);
    EXPECT_EQ(sim.messages.shown()[0].text, "The com port isn't open, to set this parameter you should first open "
                                            "the port and connect to the Orvex.");
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_TRUE(panel->cmdSet(Cmd::LevelCalibration)->isEnabled());
}

TEST_F(PanelCommands, EveryCommandEndsOutOfTheMenuAndOutOfFactorySpace)
{
    host.shiftModeChecked = true;
    bool lockedDuringCommand = false;
    bool menuActiveDuringCommand = false;
    reply({"CMD:S"}, 700);
    host.sim().setPeer([&](std::string_view) {
        lockedDuringCommand = !panel->cmdSet(Cmd::AvgSamples)->isEnabled();
        menuActiveDuringCommand = state.MenuCommandActive;
    });
    const auto written = press(Cmd::Deguass);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written.back().bytes, "#");
    EXPECT_EQ(host.shiftModeClears, 1);
    EXPECT_FALSE(host.shiftModeChecked);
    EXPECT_TRUE(lockedDuringCommand);
    EXPECT_TRUE(menuActiveDuringCommand);
    EXPECT_FALSE(state.MenuCommandActive);
    EXPECT_TRUE(panel->cmdSet(Cmd::AvgSamples)->isEnabled());
}

TEST_F(PanelCommands, OutputRateAndFormatAreReadBack)
{
    panel->txtCSOutRate()->setText("-30");
    auto written = press(Cmd::OutputRate);
    // The command, then 200 ms later the settings read, which refreshes the panel.
    ASSERT_EQ(written.size(), 6u);
    EXPECT_EQ(std::vector<Sent>(written.begin(), written.begin() + 3), valueWithCr('R', "-30"));
    const std::vector<Sent> read = {{After(200), ESC}, {After(50) + After(300), "&"}, {After(500), " "}};
    EXPECT_EQ(std::vector<Sent>(written.begin() + 3, written.end()), read);
    EXPECT_EQ(host.format16Updates, 1);
    EXPECT_TRUE(state.SettingsKnown);

    panel->txtCSOutFormat()->setText("16");
    written = press(Cmd::OutputFormat);
    ASSERT_EQ(written.size(), 7u);
    EXPECT_EQ(std::vector<Sent>(written.begin(), written.begin() + 4), valueThenCr('*', "16"));
    EXPECT_EQ(host.format16Updates, 2);
}

TEST_F(PanelCommands, LevelCalibrationRunsBetweenTwoPresses)
{
    QAbstractButton *start = panel->cmdSet(Cmd::LevelCalibration);
    const std::vector<Sent> begin = {{0, ESC}, {After(500), "C"}, {After(500), "\r"}};
    EXPECT_EQ(press(Cmd::LevelCalibration), begin);
    EXPECT_EQ(start->text(), "Done!");
    EXPECT_TRUE(state.RawTerminal);
    EXPECT_EQ(host.port().receiveThreshold(), 1);
    EXPECT_FALSE(host.checkAliveTimer().isTicking());
    EXPECT_TRUE(start->isEnabled());
    for (int i = 0; i < settings_panel::CompassSettingsPanel::CommandCount; ++i) {
        if (i != Cmd::LevelCalibration) {
            EXPECT_FALSE(panel->cmdSet(i)->isEnabled()) << i;
        }
    }

    const std::vector<Sent> done = {{0, " "}};
    EXPECT_EQ(press(Cmd::LevelCalibration), done);
    EXPECT_EQ(start->text(), "Start");
    EXPECT_FALSE(state.RawTerminal);
    EXPECT_EQ(host.port().receiveThreshold(), 10);
    EXPECT_EQ(host.checkAliveTimer().interval(), 250);
    EXPECT_TRUE(host.checkAliveTimer().isTicking());
    EXPECT_TRUE(panel->cmdSet(Cmd::BaudRate)->isEnabled());
}

TEST_F(PanelCommands, ZCalibrationSendsNoCr)
{
    const std::vector<Sent> begin = {{0, ESC}, {After(500), "Z"}};
    const VirtualMs start = sim.now();
    EXPECT_EQ(press(Cmd::ZCalibration), begin);
    // The press itself lasts the pause after the key.
    EXPECT_EQ(sim.now() - start, After(500) + After(500));
    EXPECT_EQ(panel->cmdSet(Cmd::ZCalibration)->text(), "Done!");
    EXPECT_EQ(press(Cmd::ZCalibration), (std::vector<Sent>{{0, " "}}));
    EXPECT_EQ(panel->cmdSet(Cmd::ZCalibration)->text(), "Start");
}

TEST_F(PanelCommands, SoftIronCalibrationWalksFourHeadings)
{
    QAbstractButton *button = panel->cmdSet(Cmd::SoftIronCalibration);
    EXPECT_EQ(press(Cmd::SoftIronCalibration), valueThenCr('$', "2"));
    EXPECT_EQ(button->text(), "Aim Mag North");
    EXPECT_FALSE(host.checkAliveTimer().isTicking());
    // Nothing else may talk to the compass while it waits for its headings.
    EXPECT_FALSE(panel->cmdSet(Cmd::Deguass)->isEnabled());
    const char *captions[] = {"Aim Mag East", "Aim Mag South", "Aim Mag West", "Calibrate"};
    for (int heading = 1; heading <= 4; ++heading) {
        EXPECT_EQ(press(Cmd::SoftIronCalibration), (std::vector<Sent>{{0, " "}}));
        EXPECT_EQ(controller.commands().SoftIronPoint(), heading);
        EXPECT_EQ(button->text(), captions[heading - 1]);
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(host.checkAliveTimer().isTicking(), heading == 4);
    }
    EXPECT_EQ(host.checkAliveTimer().interval(), 250);
    EXPECT_TRUE(panel->cmdSet(Cmd::Deguass)->isEnabled());
}

} // namespace
} // namespace panel_test
