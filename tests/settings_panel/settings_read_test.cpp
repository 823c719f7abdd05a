#include "panel_bench.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace panel_test {
namespace {

class SettingsRead : public PanelBench {};

TEST_F(SettingsRead, RequestIsPacedAndEveryLineOfTheDumpIsDumpText)
{
    state.Settings.Averaging = 9;
    state.Settings.OutputFormat = 8;
    state.Settings.KFilterPresent = true;
    const VirtualMs start = sim.now();
    read("OUTPUT_FORMAT=2\r\n$C1.0P2.0R3.0*00\r\ndisplay_fields = 15 ");
    EXPECT_EQ(sent(start), (std::vector<Sent>{{0, ESC}, {After(50) + After(300), "&"}, {After(500), " "}}));
    EXPECT_EQ(state.Settings.OutputFormat, 2);
    EXPECT_EQ(state.Settings.DisplayFields, 15);
    EXPECT_EQ(state.Settings.Averaging, 9) << "a key the dump lacks keeps its value";
    EXPECT_FALSE(state.Settings.KFilterPresent);
    EXPECT_TRUE(state.DumpReceived && state.SettingsKnown);
    EXPECT_FALSE(state.DumpInProgress);
    EXPECT_TRUE(dataLines.empty());

    board.silentKeys.insert('&');
    read("");
    EXPECT_EQ(state.Settings.OutputFormat, 0) << "cleared by every request";
    EXPECT_FALSE(state.DumpReceived);
}

TEST_F(SettingsRead, RefreshFillsThePanelAndTheAliveTimeout)
{
    read("LIFESKIP=0\r\nEULER=2\r\nSET-RESET_RATE=50\r\nDEVIATION=1.5\r\nDECLINATION=-2.25\r\nSOFTIRONCORRECTION=1\r\n"
         "MAX_PSI=250\r\nAVERAGING=16\r\nAD_UPDATE_RATE=4\r\nOUTPUT_FORMAT=8\r\nTEMP_OFFSET=0.5\r\nHW_MOUNTING_POS=6\r\n"
         "OUTPUT_RATE=-30\r\nBAUD_RATE=4\r\nDISPLAY_FIELDS=4101");
    const std::pair<QLineEdit *, const char *> fields[] = {
        {panel->txtCSSkipReadings(), "0"}, {panel->txtCSEuler(), "2"},         {panel->txtCSDeguass(), "50"},
        {panel->txtCSDeviation(), "1.5"},  {panel->txtCSDeclination(), "-2.25"}, {panel->txtCSAccRange(), "0"},
        {panel->txtCSMaxPressure(), "250"}, {panel->txtCSAvgSamples(), "16"},  {panel->txtCSDecimationFilter(), "4"},
        {panel->txtCSOutFormat(), "8"},    {panel->txtCSTempOffset(), "0.5"},  {panel->txtCSOutRate(), "-30"}};
    for (const auto &[field, text] : fields)
        EXPECT_EQ(field->text(), text) << field->objectName().toStdString();
    EXPECT_EQ(panel->vsCSSkipReadings()->value(), 20);
    EXPECT_TRUE(panel->optSoftIron(0)->isChecked());
    EXPECT_TRUE(panel->optCSQMode(1)->isChecked());
    EXPECT_EQ(panel->cmbCSMountPos()->currentText(), "Starboard = 6");
    EXPECT_EQ(panel->vsCSOutRate()->value(), 20);
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "s/samples");
    EXPECT_EQ(panel->cmbCSBaud()->currentText(), "38400");
    for (int i = 0; i < Cmd::ShowItemCount; ++i)
        EXPECT_EQ(panel->chkCSShowItem(i)->isChecked(), i == 0 || i == 2 || i == 12) << i;
    EXPECT_EQ(host.format16Updates, 1);
    EXPECT_EQ(state.AliveTimeout, 45000);

    read("OUTPUT_RATE=0\r\nHW_MOUNTING_POS=1");
    EXPECT_EQ(state.AliveTimeout, 1800);
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");
    EXPECT_EQ(panel->cmbCSMountPos()->currentText(), "Standard Flat = 1");
    read("OUTPUT_RATE=-1", false);
    EXPECT_EQ(state.AliveTimeout, 1800) << "a poll read leaves the panel alone";
    EXPECT_EQ(panel->txtCSOutRate()->text(), "0");
}

TEST_F(SettingsRead, CompassDataReadsAFreshDumpPacedForItsLongerList)
{
    read("OUTPUT_FORMAT=2", false);
    board.replies['&'] = {"OUTPUT_FORMAT=8\r\nSERIAL_NUMBER=000012345"};
    host.sim().clearWritten();
    const VirtualMs start = sim.now();
    controller.ShowCompassData();
    EXPECT_EQ(sent(start), (std::vector<Sent>{{0, ESC}, {After(50) + After(400), "&"}, {After(600), " "}}));
    ASSERT_EQ(host.shownWindows.size(), 1u);
    EXPECT_TRUE(host.shownWindows[0].contains("Output Format = 8\nDisplay Fields")) << host.shownWindows[0].toStdString();
}

// A skip count the scroll bar cannot show ends the refresh there; from the
// mounting list on, a value a control cannot show is passed over.
TEST_F(SettingsRead, ARefusedSkipCountEndsTheRefreshALaterRefusalDoesNot)
{
    read("EULER=3\r\nLIFESKIP=25\r\nMAX_PSI=250\r\nOUTPUT_RATE=-5\r\nHW_MOUNTING_POS=6\r\nBAUD_RATE=4");
    EXPECT_EQ(panel->txtCSEuler()->text(), "3");
    EXPECT_EQ(panel->txtCSSkipReadings()->text(), "25");
    EXPECT_EQ(panel->txtCSMaxPressure()->text(), "100");
    EXPECT_EQ(panel->txtCSOutRate()->text(), "7");
    EXPECT_EQ(panel->cmbCSMountPos()->currentIndex(), 0);
    EXPECT_EQ(panel->cmbCSBaud()->currentText(), "9600");
    EXPECT_EQ(state.AliveTimeout, 1800);
    EXPECT_EQ(host.format16Updates, 0);

    read("LIFESKIP=2\r\nHW_MOUNTING_POS=9\r\nOUTPUT_RATE=-60\r\nBAUD_RATE=5");
    EXPECT_EQ(panel->txtCSMaxPressure()->text(), "250");
    EXPECT_EQ(panel->cmbCSMountPos()->currentIndex(), 0);
    EXPECT_EQ(panel->txtCSOutRate()->text(), "-60");
    EXPECT_EQ(panel->vsCSOutRate()->value(), -17) << "still at the starting rate of 7";
    EXPECT_EQ(panel->cmbCSBaud()->currentText(), "57600");
    EXPECT_EQ(state.AliveTimeout, 90000);
}

TEST_F(SettingsRead, NullGyroNeedsAKFilterOnceADumpCame)
{
    QAbstractButton *nullGyro = panel->cmdSet(Cmd::NullGyro);
    read("AVERAGING=16");
    EXPECT_FALSE(nullGyro->isEnabled());
    press(Cmd::ZeroDepth);
    EXPECT_FALSE(nullGyro->isEnabled()) << "other commands leave it disabled";
    read("KFILTER=0.25");
    EXPECT_TRUE(nullGyro->isEnabled());
    board.silentKeys.insert('&');
    read("");
    EXPECT_TRUE(nullGyro->isEnabled()) << "a compass that does not answer \"&\" may still have a gyro";
}

TEST_F(SettingsRead, ADumpCutByALostPortLeavesTheSettingsUnknown)
{
    auto pull = sim.pump.createTimer();
    pull->setInterval(400);
    pull->setTickHandler([&] {
        pull->setEnabled(false);
        host.sim().unplug("COM2 stopped working");
    });
    pull->setEnabled(true);
    read("OUTPUT_FORMAT=2");
    EXPECT_FALSE(state.SettingsKnown);
    EXPECT_FALSE(state.DumpInProgress);

    ASSERT_TRUE(host.port().open());
    state.DumpReceived = true;
    pull->setEnabled(true);
    controller.ShowCompassData();
    EXPECT_TRUE(host.shownWindows.empty()) << "half a dump is not the module's data";
}

} // namespace
} // namespace panel_test

namespace panel_test {
namespace {

TEST(CompassDataText, EveryLabelInTheWindowsOrderWithItsValue)
{
    protocol::CompassSettings s;
    s.FirmwareVersion = "2.6";
    s.TestDate = "15 Jan 26";
    s.OutputFormat = 8;
    s.BaudRate = "03";
    s.SetResetRate = -20;
    s.Declination = -2.25f;
    s.MagScaleHtZ = 1.0f / 3.0f;
    s.GyroOffsetZ = 4;
    s.SoftIronCorrection = true;
    const QStringList labels = {
        "Firmware Version", "Firmware Date", "Serial Number", "Test Date", "", "Output Format", "Display Fields",
        "HW Mounting Position", "Baud Rate", "Deguass Rate", "Output Rate", "Skip Lines (n)", "Euler Math",
        "Averaging", "AD Update Rate", "Deviation", "Declination", "Temperature Offset", "Temperature Calibration",
        "Depth Offset", "Maximum Presure [PSI]", "Acceleration X Offset", "Acceleration Y Offset",
        "Acceleration Z Offset", "Acceleration X Scale", "Acceleration Y Scale", "Acceleration Z Scale",
        "Magnetic X Offset", "Magnetic X Offset Factor", "Magnetic Y Offset", "Magnetic Y Offset Factor",
        "Magnetic Z Offset", "Magnetic Z Offset Factor", "Magnetic X Scale", "Magnetic X Scale (HT)",
        "Magnetic Y Scale", "Magnetic Y Scale (HT)", "Magnetic Z Scale", "Magnetic Z Scale (HT)",
        "Magnetic X Bridge Offset", "Magnetic Y Bridge Offset", "Magnetic Z Bridge Offset", "Total Gauss",
        "K Filter", "Gyro Pitch Q Angle", "Gyro Pitch Q Gyro", "Gyro Pitch R Angle", "Gyro Roll Q Angle",
        "Gyro Roll Q Gyro", "Gyro Roll R Angle", "Gyro X Offset", "Gyro Y Offset", "Gyro Z Offset", "A", "B", "C",
        "E", "Soft Iron Correction"};
    const std::string text = settings_panel::CompassDataText(s, ',');
    ASSERT_TRUE(text.ends_with("\r\n"));
    QStringList lines = QString::fromStdString(text).split("\r\n");
    lines.removeLast();
    QStringList shownLabels;
    for (const QString &line : lines)
        shownLabels << line.section(" = ", 0, 0);
    EXPECT_EQ(shownLabels, labels);
    const QStringList values = {"2.6", "15 Jan 26", "8", "03", "-20", "-2,25", "0,3333333", "4", "True"};
    const QStringList of = {"Firmware Version", "Test Date", "Output Format", "Baud Rate", "Deguass Rate",
                            "Declination", "Magnetic Z Scale (HT)", "Gyro Z Offset", "Soft Iron Correction"};
    for (qsizetype i = 0; i < of.size(); ++i)
        EXPECT_TRUE(lines.contains(of[i] + " = " + values[i])) << of[i].toStdString();
    EXPECT_TRUE(lines.contains("Firmware Date = ")) << "empty text stays empty";
}

} // namespace
} // namespace panel_test
