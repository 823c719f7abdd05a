#include "settings_panel/compass_data_window.h"
#include "settings_panel/settings_dump.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace panel_test {
namespace {

using protocol::ConsoleState;

class DumpParser : public ::testing::Test {
protected:
    void parse(const std::string &line, char separator = '.')
    {
        settings_panel::ParseSettingsLine(state, line + "\r\n", separator);
    }
    protocol::ConsoleState state;
};

TEST_F(DumpParser, NameIsTrimmedAndUpperCasedValueTrimmed)
{
    parse("DECLINATION=12.5");
    EXPECT_FLOAT_EQ(state.Settings.Declination, 12.5f);
    parse("  declination  =  -7.25  ");
    EXPECT_FLOAT_EQ(state.Settings.Declination, -7.25f);
    parse("fw_version = 2.6b ");
    EXPECT_EQ(state.Settings.FirmwareVersion, "2.6b");
    EXPECT_TRUE(state.DumpReceived);
}

TEST_F(DumpParser, OnlyLinesWithExactlyOneEqualsCount)
{
    parse("DECLINATION=1=2");
    parse("DECLINATION 3");
    parse("");
    EXPECT_FALSE(state.DumpReceived);
    EXPECT_EQ(state.Settings.Declination, 0.0f);
    // An unknown name changes nothing but shows the compass answered.
    parse("NO_SUCH_KEY=5");
    EXPECT_TRUE(state.DumpReceived);
}

TEST_F(DumpParser, WholeNumbersRoundHalfToEvenWithinTheirWidth)
{
    parse("MAX_PSI=100.5");
    EXPECT_EQ(state.Settings.MaxPressure, 100);
    parse("MAX_PSI=101.5");
    EXPECT_EQ(state.Settings.MaxPressure, 102);
    parse("OUTPUT_RATE=-2.5");
    EXPECT_EQ(state.Settings.OutputRate, -2);
    parse("AVERAGING=32767.4");
    EXPECT_EQ(state.Settings.Averaging, 32767);
    // 32767.5 rounds to 32768, which a 16-bit field cannot hold.
    parse("AVERAGING=32767.5");
    EXPECT_EQ(state.Settings.Averaging, 32767);
    parse("DISPLAY_FIELDS=70000");
    EXPECT_EQ(state.Settings.DisplayFields, 70000);
    parse("AD_UPDATE_RATE=70000");
    EXPECT_EQ(state.Settings.AdUpdateRate, 0);
}

TEST_F(DumpParser, AValueThatDoesNotConvertLeavesTheField)
{
    parse("EULER=3");
    parse("EULER=three");
    parse("EULER=");
    EXPECT_EQ(state.Settings.EulerMath, 3);
    parse("KFILTER=1e39");
    EXPECT_EQ(state.Settings.KFilter, 0.0f) << "beyond a single float";
    EXPECT_TRUE(state.Settings.KFilterPresent) << "the key came all the same";
    parse("SOFTIRONCORRECTION=maybe");
    EXPECT_FALSE(state.Settings.SoftIronCorrection);
}

TEST_F(DumpParser, BooleansTakeNumbersAndWords)
{
    parse("SOFTIRONCORRECTION=2");
    EXPECT_TRUE(state.Settings.SoftIronCorrection);
    parse("SOFTIRONCORRECTION=0");
    EXPECT_FALSE(state.Settings.SoftIronCorrection);
    parse("SOFTIRONCORRECTION=true");
    EXPECT_TRUE(state.Settings.SoftIronCorrection);
    parse("SOFTIRONCORRECTION=False");
    EXPECT_FALSE(state.Settings.SoftIronCorrection);
}

TEST_F(DumpParser, NumbersReadWithTheUserSeparatorAndThePoint)
{
    parse("DEVIATION=1,5", ',');
    EXPECT_FLOAT_EQ(state.Settings.Deviation, 1.5f);
    parse("DEVIATION=2.5", ',');
    EXPECT_FLOAT_EQ(state.Settings.Deviation, 2.5f);
    parse("DEVIATION=1,5", '.');
    EXPECT_FLOAT_EQ(state.Settings.Deviation, 2.5f) << "a comma is no point for a \".\" user";
}

TEST_F(DumpParser, TextFieldsKeepTheValueAsPrinted)
{
    parse("BAUD_RATE=03");
    EXPECT_EQ(state.Settings.BaudRate, "03");
    parse("SERIAL_NUMBER=SN 0042");
    EXPECT_EQ(state.Settings.SerialNumber, "SN 0042");
}

// Every known name, each with its own value, read back through the window's
// labels: each name lands in the field the window lists under its label.
TEST(CompassData, EveryKnownNameReachesItsLine)
{
    const char *const dump[][2] = {
        {"FW_VERSION", "2.6"},           {"FW_DATE", "Nov 5 2010"},     {"SERIAL_NUMBER", "1234"},
        {"OUTPUT_FORMAT", "2"},          {"DISPLAY_FIELDS", "4101"},    {"SET-RESET_RATE", "50"},
        {"DEVIATION", "1.5"},            {"DECLINATION", "-2.5"},       {"SOFTIRONCORRECTION", "1"},
        {"BAUD_RATE", "3"},              {"OUTPUT_RATE", "-4"},         {"MAX_PSI", "300"},
        {"AVERAGING", "16"},             {"AD_UPDATE_RATE", "5"},       {"HW_MOUNTING_POS", "6"},
        {"TEMP_OFFSET", "0.75"},         {"TEST_DATE", "05/11/10"},     {"DEPTH_OFFSET", "1.25"},
        {"LIFESKIP", "7"},               {"EULER", "3"},                {"ACC_X_SCALE", "1.01"},
        {"ACC_Y_SCALE", "1.02"},         {"ACC_Z_SCALE", "1.03"},       {"ACC_X_OFFSET", "-11"},
        {"ACC_Y_OFFSET", "-12"},         {"ACC_Z_OFFSET", "-13"},       {"MAG_X_SCALE", "2.01"},
        {"MAG_Y_SCALE", "2.02"},         {"MAG_Z_SCALE", "2.03"},       {"TEMPERATURE_CAL", "21.5"},
        {"MAG_X_OFFSET", "31"},          {"MAG_X_SCALE_HT", "3.1"},     {"MAG_X_OFFSET_FACTOR", "0.31"},
        {"MAG_Y_OFFSET", "32"},          {"MAG_Y_SCALE_HT", "3.2"},     {"MAG_Y_OFFSET_FACTOR", "0.32"},
        {"MAG_Z_OFFSET", "33"},          {"MAG_Z_SCALE_HT", "3.3"},     {"MAG_Z_OFFSET_FACTOR", "0.33"},
        {"MAG_X_BRIDGE_OFFSET", "41"},   {"MAG_Y_BRIDGE_OFFSET", "42"}, {"MAG_Z_BRIDGE_OFFSET", "43"},
        {"TOTAL_GAUSS", "0.52"},         {"KFILTER", "0.125"},          {"A", "5.1"},
        {"B", "5.2"},                    {"C", "5.3"},                  {"E", "5.5"},
        {"GYR_PITCH_QGYRO", "6.1"},      {"GYR_PITCH_QANGLE", "6.2"},   {"GYR_PITCH_RANGLE", "6.3"},
        {"GYR_ROLL_QGYRO", "7.1"},       {"GYR_ROLL_QANGLE", "7.2"},    {"GYR_ROLL_RANGLE", "7.3"},
        {"GYR_X_OFFSET", "8.1"},         {"GYR_Y_OFFSET", "8.2"},       {"GYR_Z_OFFSET", "8.3"},
    };
    static_assert(std::size(dump) == settings_panel::KnownDumpKeyCount);
    protocol::ConsoleState state;
    for (const auto &entry : dump)
        settings_panel::ParseSettingsLine(state, std::string(entry[0]) + "=" + entry[1] + "\r\n", '.');
    EXPECT_TRUE(state.Settings.KFilterPresent);

    const std::string text = settings_panel::CompassDataText(state.Settings, '.');
    const QStringList lines = QString::fromStdString(text).split("\r\n");
    const QStringList expected = {
        "Firmware Version = 2.6", "Firmware Date = Nov 5 2010", "Serial Number = 1234", "Test Date = 05/11/10",
        "", "Output Format = 2", "Display Fields = 4101", "HW Mounting Position = 6", "Baud Rate = 3",
        "Deguass Rate = 50", "Output Rate = -4", "Skip Lines (n) = 7", "Euler Math = 3", "Averaging = 16",
        "AD Update Rate = 5", "Deviation = 1.5", "Declination = -2.5", "Temperature Offset = 0.75",
        "Temperature Calibration = 21.5", "Depth Offset = 1.25", "Maximum Presure [PSI] = 300",
        "Acceleration X Offset = -11", "Acceleration Y Offset = -12", "Acceleration Z Offset = -13",
        "Acceleration X Scale = 1.01", "Acceleration Y Scale = 1.02", "Acceleration Z Scale = 1.03",
        "Magnetic X Offset = 31", "Magnetic X Offset Factor = 0.31", "Magnetic Y Offset = 32",
        "Magnetic Y Offset Factor = 0.32", "Magnetic Z Offset = 33", "Magnetic Z Offset Factor = 0.33",
        "Magnetic X Scale = 2.01", "Magnetic X Scale (HT) = 3.1", "Magnetic Y Scale = 2.02",
        "Magnetic Y Scale (HT) = 3.2", "Magnetic Z Scale = 2.03", "Magnetic Z Scale (HT) = 3.3",
        "Magnetic X Bridge Offset = 41", "Magnetic Y Bridge Offset = 42", "Magnetic Z Bridge Offset = 43",
        "Total Gauss = 0.52", "K Filter = 0.125", "Gyro Pitch Q Angle = 6.2", "Gyro Pitch Q Gyro = 6.1",
        "Gyro Pitch R Angle = 6.3", "Gyro Roll Q Angle = 7.2", "Gyro Roll Q Gyro = 7.1", "Gyro Roll R Angle = 7.3",
        "Gyro X Offset = 8.1", "Gyro Y Offset = 8.2", "Gyro Z Offset = 8.3", "A = 5.1", "B = 5.2", "C = 5.3",
        "E = 5.5", "Soft Iron Correction = True", ""};
    EXPECT_EQ(lines, expected);
}

TEST(CompassData, FloatsShowSevenDigitsInTheUserFormat)
{
    protocol::CompassSettings s;
    s.Deviation = 1.0f / 3.0f;
    s.Declination = 2.5f;
    s.TotalGauss = 0.00001f;
    const QString text = QString::fromStdString(settings_panel::CompassDataText(s, ','));
    EXPECT_TRUE(text.contains("Deviation = 0,3333333\r\n"));
    EXPECT_TRUE(text.contains("Declination = 2,5\r\n"));
    EXPECT_TRUE(text.contains("Total Gauss = 1E-05\r\n"));
    EXPECT_TRUE(text.contains("Soft Iron Correction = False\r\n"));
}

} // namespace
} // namespace panel_test
