#include "panel_bench.h"

#include "settings_panel/settings_dump.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace panel_test {
namespace {

using Cmd = settings_panel::CompassSettingsPanel;

class SettingsRead : public PanelBench {
protected:
    // A read whose dump the compass prints right after "&".
    void readWith(const std::vector<std::string> &dump, bool refresh = true)
    {
        host.sim().setPeer([this, dump](std::string_view bytes) {
            if (bytes == "&")
                reply(dump, 20);
        });
        controller.RequestSettings(refresh);
        host.sim().setPeer({});
    }
};

TEST_F(SettingsRead, RequestIsPacedAndDumpLinesFillTheRecord)
{
    host.sim().clearWritten();
    const VirtualMs start = sim.now();
    // A data line inside the dump is dump text, not data.
    readWith({"OUTPUT_FORMAT=2", "$C1.0P2.0R3.0*00", "display_fields = 15 "});
    EXPECT_EQ(sent(start), (std::vector<Sent>{{0, ESC}, {After(50) + After(300), "&"}, {After(500), " "}}));
    EXPECT_EQ(state.Settings.OutputFormat, 2);
    EXPECT_EQ(state.Settings.DisplayFields, 15);
    EXPECT_TRUE(state.DumpReceived);
    EXPECT_TRUE(state.SettingsKnown);
    EXPECT_FALSE(state.DumpInProgress);
    EXPECT_TRUE(dataLinesParsed.empty());
}

TEST_F(SettingsRead, NoReplyKeepsTheRecordButClearsTheFormat)
{
    state.Settings.Averaging = 9;
    state.Settings.OutputFormat = 8;
    state.Settings.KFilterPresent = true;
    state.DumpReceived = true;
    readWith({});
    EXPECT_EQ(state.Settings.Averaging, 9);
    EXPECT_EQ(state.Settings.OutputFormat, 0);
    EXPECT_FALSE(state.Settings.KFilterPresent);
    EXPECT_FALSE(state.DumpReceived);
}

TEST_F(SettingsRead, RefreshFillsThePanelAndTheAliveTimeout)
{
    readWith({"LIFESKIP=3", "EULER=2", "SET-RESET_RATE=50", "DEVIATION=1.5", "DECLINATION=-2.25",
              "SOFTIRONCORRECTION=1", "MAX_PSI=250", "AVERAGING=16", "AD_UPDATE_RATE=4", "OUTPUT_FORMAT=8",
              "TEMP_OFFSET=0.5", "HW_MOUNTING_POS=6", "OUTPUT_RATE=-30", "BAUD_RATE=4", "DISPLAY_FIELDS=4101"});
    EXPECT_EQ(panel->txtCSSkipReadings()->text(), "3");
    EXPECT_EQ(panel->vsCSSkipReadings()->value(), 17);
    EXPECT_EQ(panel->txtCSEuler()->text(), "2");
    EXPECT_EQ(panel->txtCSDeguass()->text(), "50");
    EXPECT_EQ(panel->txtCSDeviation()->text(), "1.5");
    EXPECT_EQ(panel->txtCSDeclination()->text(), "-2.25");
    EXPECT_TRUE(panel->optSoftIron(0)->isChecked());
    EXPECT_EQ(panel->txtCSAccRange()->text(), "0");
    EXPECT_TRUE(panel->optCSQMode(1)->isChecked());
    EXPECT_EQ(panel->txtCSMaxPressure()->text(), "250");
    EXPECT_EQ(panel->txtCSAvgSamples()->text(), "16");
    EXPECT_EQ(panel->txtCSDecimationFilter()->text(), "4");
    EXPECT_EQ(panel->txtCSOutFormat()->text(), "8");
    EXPECT_EQ(panel->txtCSTempOffset()->text(), "0.5");
    EXPECT_EQ(panel->cmbCSMountPos()->currentText(), "Starboard = 6");
    EXPECT_EQ(panel->txtCSOutRate()->text(), "-30");
    EXPECT_EQ(panel->vsCSOutRate()->value(), 20);
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "s/samples");
    EXPECT_EQ(panel->cmbCSBaud()->currentText(), "38400");
    const bool shown[13] = {true, false, true, false, false, false, false, false, false, false, false, false, true};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(panel->chkCSShowItem(i)->isChecked(), shown[i]) << i;
    EXPECT_EQ(host.format16Updates, 1);
    EXPECT_EQ(state.AliveTimeout, 45000);

    readWith({"OUTPUT_RATE=0"});
    EXPECT_EQ(state.AliveTimeout, 1800);
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");
}

TEST_F(SettingsRead, APollReadLeavesThePanelAlone)
{
    readWith({"AVERAGING=16"}, false);
    EXPECT_EQ(state.Settings.Averaging, 16);
    EXPECT_EQ(panel->txtCSAvgSamples()->text(), "5");
    EXPECT_EQ(host.format16Updates, 0);
}

TEST_F(SettingsRead, ASkipCountTheScrollBarRefusesEndsTheRefresh)
{
    state.AliveTimeout = 1234;
    readWith({"EULER=3", "LIFESKIP=25", "AVERAGING=16", "OUTPUT_RATE=-2", "HW_MOUNTING_POS=3"});
    EXPECT_EQ(panel->txtCSEuler()->text(), "3");
    EXPECT_EQ(panel->txtCSSkipReadings()->text(), "25");
    EXPECT_EQ(panel->vsCSSkipReadings()->value(), 12);
    EXPECT_EQ(panel->txtCSAvgSamples()->text(), "5");
    EXPECT_EQ(panel->cmbCSMountPos()->currentIndex(), 0);
    EXPECT_EQ(host.format16Updates, 0);
    EXPECT_EQ(state.AliveTimeout, 1234);
    EXPECT_FALSE(controller.RefreshSettingsPanel());
}

TEST_F(SettingsRead, LateControlsThatRefuseKeepTheirValueAndTheRestGoesOn)
{
    panel->cmbCSBaud()->setCurrentIndex(2);
    readWith({"HW_MOUNTING_POS=9", "OUTPUT_RATE=41", "BAUD_RATE=7"});
    EXPECT_EQ(panel->cmbCSMountPos()->currentIndex(), 0);
    EXPECT_EQ(panel->txtCSOutRate()->text(), "41");
    EXPECT_EQ(panel->vsCSOutRate()->value(), -17);
    EXPECT_EQ(panel->cmbCSBaud()->currentIndex(), 2);
    EXPECT_TRUE(controller.RefreshSettingsPanel());
}

TEST_F(SettingsRead, NullGyroNeedsAKFilterOnceADumpCame)
{
    QAbstractButton *nullGyro = panel->cmdSet(Cmd::NullGyro);
    readWith({"AVERAGING=16"});
    EXPECT_FALSE(nullGyro->isEnabled());
    // Other commands leave it disabled.
    press(Cmd::ZeroDepth);
    EXPECT_FALSE(nullGyro->isEnabled());
    EXPECT_TRUE(panel->cmdSet(Cmd::ZeroDepth)->isEnabled());

    readWith({"KFILTER=0.25"});
    EXPECT_TRUE(nullGyro->isEnabled());
    // A compass that does not answer "&" at all may still have a gyro.
    readWith({});
    EXPECT_TRUE(nullGyro->isEnabled());
}

TEST_F(SettingsRead, CompassDataNeedsADumpFirst)
{
    controller.ShowCompassData();
    EXPECT_TRUE(host.sim().written().empty());
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.shown()[0].text, "Firmware version is v1.4 or older. This function is not implemented.");
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_TRUE(host.shownWindows.empty());
}

TEST_F(SettingsRead, CompassDataReadsAFreshDumpAndListsIt)
{
    state.DumpReceived = true;
    host.sim().clearWritten();
    const VirtualMs start = sim.now();
    host.sim().setPeer([this](std::string_view bytes) {
        if (bytes == "&")
            reply({"FW_VERSION=2.6", "TEST_DATE=05/11/10", "SOFTIRONCORRECTION=True"}, 20);
    });
    controller.ShowCompassData();
    EXPECT_EQ(sent(start), (std::vector<Sent>{{0, ESC}, {After(50) + After(400), "&"}, {After(600), " "}}));
    EXPECT_TRUE(state.SettingsKnown);
    ASSERT_EQ(host.shownWindows.size(), 1u);
    const QStringList lines = host.shownWindows[0].split('\n');
    EXPECT_EQ(lines[0], "Firmware Version = 2.6");
    EXPECT_EQ(lines[3], "Test Date = 05/11/10");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "Output Format = 0");
    EXPECT_EQ(lines[lines.size() - 2], "Soft Iron Correction = True");
    // The panel is not refreshed by this read.
    EXPECT_EQ(host.format16Updates, 0);
}

TEST_F(SettingsRead, ADumpCutByALostPortLeavesTheSettingsUnknown)
{
    // The adapter goes 100 ms after "&", with one line of the dump through.
    auto pull = sim.pump.createTimer();
    pull->setInterval(100);
    pull->setTickHandler([&] {
        pull->setEnabled(false);
        host.sim().unplug("COM2 stopped working");
    });
    host.sim().setPeer([&](std::string_view bytes) {
        if (bytes == "&") {
            reply({"OUTPUT_FORMAT=2"}, 20);
            pull->setEnabled(true);
        }
    });

    controller.RequestSettings(true);
    EXPECT_FALSE(state.SettingsKnown);
    EXPECT_FALSE(state.DumpInProgress);

    ASSERT_TRUE(host.port().open());
    state.DumpReceived = true;
    controller.ShowCompassData();
    EXPECT_FALSE(state.SettingsKnown);
    EXPECT_TRUE(host.shownWindows.empty()) << "half a dump is not the module's data";
}

} // namespace
} // namespace panel_test
