#include "panel_bench.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace panel_test {
namespace {

class PanelCommands : public PanelBench {
protected:
    // ESC, 500 ms, the key, 500 ms, then the value with its CR, or the value, 500 ms and the CR.
    static std::vector<Sent> sequence(char key, const std::string &value, bool crApart)
    {
        std::vector<Sent> out = {{0, ESC}, {After(500), std::string(1, key)}};
        if (crApart) {
            out.push_back({After(500), value});
            out.push_back({After(500), "\r"});
        } else {
            out.push_back({After(500), value + "\r"});
        }
        return out;
    }
};

TEST_F(PanelCommands, EachRowSendsItsKeyAndValuePacedByTime)
{
    panel->cmbCSBaud()->setCurrentIndex(3);
    panel->txtCSDeguass()->setText("250");
    panel->txtCSDeviation()->setText("12.5");
    panel->txtCSDeclination()->setText("-3.25");
    panel->txtCSAvgSamples()->setText("x1");
    panel->txtCSMaxPressure()->setText("300");
    panel->txtCSSkipReadings()->setText("4");
    panel->txtCSDecimationFilter()->setText("4");
    panel->optSoftIron(0)->setChecked(true);
    panel->txtCSAccRange()->setText("0");
    panel->cmbCSMountPos()->setCurrentIndex(5);
    panel->optCSQMode(0)->setChecked(true);
    panel->txtCSTempOffset()->setText("-1.5");
    panel->txtCSEuler()->setText("2");
    const struct {
        int index;
        char key;
        const char *value;
        bool crApart;
    } rows[] = {
        {Cmd::BaudRate, 'B', "3", false},       {Cmd::Deguass, 'S', "250", false},
        {Cmd::Deviation, 'N', "125", false},    {Cmd::Declination, 'Q', "-32.5", false},
        {Cmd::AvgSamples, 'A', "x1", false},    {Cmd::MaxPressure, 'M', "300", false},
        {Cmd::SkipReadings, 'l', "4", false},   {Cmd::ShowFields, 'X', "7", false},
        {Cmd::FactoryDefaults, 'F', "", false}, {Cmd::DecimationFilter, 'D', "4", true},
        {Cmd::SoftIron, '$', "1", true},        {Cmd::AccRange, 'a', "0", true},
        {Cmd::Mounting, 'E', "6", true},        {Cmd::QuietMode, '@', "1", true},
        {Cmd::TempOffset, '+', "-1.5", true},   {Cmd::EulerMath, 'e', "2", true},
    };
    for (const auto &row : rows)
        EXPECT_EQ(press(row.index), sequence(row.key, row.value, row.crApart)) << row.key;
    EXPECT_EQ(state.Settings.DisplayFields, 7);

    EXPECT_EQ(press(Cmd::ZeroDepth), (std::vector<Sent>{{0, ESC}, {After(500), "P"}, {After(500), " "}}));
    EXPECT_EQ(press(Cmd::NullGyro), (std::vector<Sent>{{0, ESC}, {After(500), "G"}, {After(800), " "}}));
    panel->optSoftIron(1)->setChecked(true);
    EXPECT_EQ(press(Cmd::SoftIron).at(2).bytes, "0");
    panel->optCSQMode(1)->setChecked(true);
    EXPECT_EQ(press(Cmd::QuietMode).at(2).bytes, "0");
    panel->cmbCSMountPos()->setCurrentIndex(0);
    EXPECT_EQ(press(Cmd::Mounting).at(2).bytes, "1");
    for (int i = 0; i < Cmd::ShowItemCount; ++i)
        panel->chkCSShowItem(i)->setChecked(true);
    EXPECT_EQ(press(Cmd::ShowFields).back().bytes, "8191\r");
    EXPECT_EQ(state.Settings.DisplayFields, 8191);
}

TEST_F(PanelCommands, EveryCommandLocksThePanelAndEndsOutOfTheMenuAndOutOfFactorySpace)
{
    host.shiftModeChecked = true;
    bool locked = false;
    bool menuActive = false;
    auto peek = sim.pump.createTimer();
    peek->setInterval(700);
    peek->setTickHandler([&] {
        locked = !panel->cmdSet(Cmd::AvgSamples)->isEnabled();
        menuActive = state.MenuCommandActive;
    });
    peek->setEnabled(true);
    const auto written = press(Cmd::Deguass);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written.back().bytes, "#");
    EXPECT_FALSE(host.shiftModeChecked);
    EXPECT_TRUE(locked);
    EXPECT_TRUE(menuActive);
    EXPECT_FALSE(state.MenuCommandActive);
    EXPECT_TRUE(panel->cmdSet(Cmd::AvgSamples)->isEnabled());
}

TEST_F(PanelCommands, OutputRateAndFormatAreReadBack200MsLater)
{
    panel->txtCSOutRate()->setText("-30");
    auto written = press(Cmd::OutputRate);
    const std::vector<Sent> read = {{After(200), ESC}, {After(50) + After(300), "&"}, {After(500), " "}};
    ASSERT_EQ(written.size(), 6u);
    EXPECT_EQ(std::vector<Sent>(written.begin() + 3, written.end()), read);
    EXPECT_EQ(host.format16Updates, 1) << "the read refreshed the panel";

    panel->txtCSOutFormat()->setText("16");
    written = press(Cmd::OutputFormat);
    ASSERT_EQ(written.size(), 7u);
    EXPECT_EQ(std::vector<Sent>(written.begin() + 4, written.end()), read);
    EXPECT_EQ(host.format16Updates, 2);
}

TEST_F(PanelCommands, LevelAndZCalibrationsRunBetweenTwoPresses)
{
    QAbstractButton *level = panel->cmdSet(Cmd::LevelCalibration);
    EXPECT_EQ(press(Cmd::LevelCalibration), sequence('C', "", false));
    EXPECT_EQ(level->text(), "Done!");
    EXPECT_TRUE(state.RawTerminal);
    EXPECT_EQ(host.port().receiveThreshold(), 1);
    EXPECT_FALSE(host.checkAliveTimer().isTicking());
    EXPECT_TRUE(level->isEnabled());
    for (int i = 0; i < Cmd::CommandCount; ++i)
        EXPECT_EQ(panel->cmdSet(i)->isEnabled(), i == Cmd::LevelCalibration) << i;

    EXPECT_EQ(press(Cmd::LevelCalibration), (std::vector<Sent>{{0, " "}}));
    EXPECT_EQ(level->text(), "Start");
    EXPECT_FALSE(state.RawTerminal);
    EXPECT_EQ(host.port().receiveThreshold(), 10);
    EXPECT_EQ(host.checkAliveTimer().interval(), 250);
    EXPECT_TRUE(host.checkAliveTimer().isTicking());
    EXPECT_TRUE(panel->cmdSet(Cmd::BaudRate)->isEnabled());

    const VirtualMs start = sim.now();
    EXPECT_EQ(press(Cmd::ZCalibration), (std::vector<Sent>{{0, ESC}, {After(500), "Z"}}));
    EXPECT_EQ(sim.now() - start, After(500) + After(500)) << "no CR, but the pause after the key";
    EXPECT_EQ(panel->cmdSet(Cmd::ZCalibration)->text(), "Done!");
    EXPECT_EQ(press(Cmd::ZCalibration), (std::vector<Sent>{{0, " "}}));
}

TEST_F(PanelCommands, SoftIronCalibrationWalksFourHeadings)
{
    QAbstractButton *button = panel->cmdSet(Cmd::SoftIronCalibration);
    EXPECT_EQ(press(Cmd::SoftIronCalibration), sequence('$', "2", true));
    EXPECT_EQ(button->text(), "Aim Mag North");
    EXPECT_FALSE(host.checkAliveTimer().isTicking());
    EXPECT_FALSE(panel->cmdSet(Cmd::Deguass)->isEnabled());
    const char *captions[] = {"Aim Mag East", "Aim Mag South", "Aim Mag West", "Calibrate"};
    for (int heading = 1; heading <= 4; ++heading) {
        EXPECT_EQ(press(Cmd::SoftIronCalibration), (std::vector<Sent>{{0, " "}}));
        EXPECT_EQ(button->text(), captions[heading - 1]);
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(host.checkAliveTimer().isTicking(), heading == 4);
    }
    EXPECT_EQ(host.checkAliveTimer().interval(), 250);
    EXPECT_TRUE(panel->cmdSet(Cmd::Deguass)->isEnabled());
}

TEST_F(PanelCommands, TrimShowsWhatArrivedInItsWindow)
{
    board.replies['T'] = {"Pitch trim 0.4\r\nRoll trim -0.2"};
    board.say("late", 1200);
    // The command is over while the user reads its box: sentences are data again.
    state.SettingsKnown = true;
    board.say("$C1.0", 1500);
    EXPECT_EQ(press(Cmd::TrimRollPitch), (std::vector<Sent>{{0, ESC}, {After(500), "T"}, {After(550), " "}}));
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.shown()[0].text, "CMD:T\r\nPitch trim 0.4\r\nRoll trim -0.2\r\n");
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(dataLines, std::vector<std::string>{"$C1.0\r\n"});
}

} // namespace
} // namespace panel_test
