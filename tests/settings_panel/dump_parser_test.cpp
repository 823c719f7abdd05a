#include "settings_panel/compass_data_window.h"
#include "settings_panel/settings_dump.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace panel_test {
namespace {

class DumpParser : public ::testing::Test {
protected:
    void parse(const std::string &line, char separator = '.')
    {
        settings_panel::ParseSettingsLine(state, line + "\r\n", separator);
    }
    protocol::ConsoleState state;
    protocol::CompassSettings &s = state.Settings;
};

TEST_F(DumpParser, OneEqualsSplitsATrimmedUpperCasedNameFromATrimmedValue)
{
    parse("DECLINATION=1=2");
    parse("DECLINATION 3");
    EXPECT_FALSE(state.DumpReceived);
    EXPECT_EQ(s.Declination, 0.0f);
    parse("  declination  =  -7.25  ");
    EXPECT_FLOAT_EQ(s.Declination, -7.25f);
    parse("fw_version = 2.6b ");
    EXPECT_EQ(s.FirmwareVersion, "2.6b");
    parse("BAUD_RATE=03");
    EXPECT_EQ(s.BaudRate, "03") << "text as printed";

    state.DumpReceived = false;
    parse("NO_SUCH_KEY=5");
    EXPECT_TRUE(state.DumpReceived) << "an unknown name changes nothing but shows the compass answered";
}

TEST_F(DumpParser, WholeNumbersRoundHalfToEvenAndAValueThatDoesNotFitLeavesItsField)
{
    parse("MAX_PSI=100.5");
    EXPECT_EQ(s.MaxPressure, 100);
    parse("MAX_PSI=101.5");
    EXPECT_EQ(s.MaxPressure, 102);
    parse("AVERAGING=32767.4");
    parse("AVERAGING=32767.5");
    EXPECT_EQ(s.Averaging, 32767) << "32768 does not fit 16 bits";
    parse("DISPLAY_FIELDS=70000");
    EXPECT_EQ(s.DisplayFields, 70000);
    parse("EULER=three");
    parse("DEVIATION=1,5", ',');
    EXPECT_EQ(s.EulerMath, 0);
    EXPECT_FLOAT_EQ(s.Deviation, 1.5f) << "the user's separator";
    parse("KFILTER=1e39");
    EXPECT_EQ(s.KFilter, 0.0f) << "beyond a single float";
    EXPECT_TRUE(s.KFilterPresent) << "the key came all the same";
}

// The window's lines in order, each with the dump key whose value it shows:
// every key gets its own number, so a key that lands in another field shows.
TEST(CompassData, EveryKnownNameReachesItsLine)
{
    const char *const lines[][2] = {
        {"Firmware Version", "FW_VERSION"}, {"Firmware Date", "FW_DATE"}, {"Serial Number", "SERIAL_NUMBER"},
        {"Test Date", "TEST_DATE"}, {"Output Format", "OUTPUT_FORMAT"}, {"Display Fields", "DISPLAY_FIELDS"},
        {"HW Mounting Position", "HW_MOUNTING_POS"}, {"Baud Rate", "BAUD_RATE"}, {"Deguass Rate", "SET-RESET_RATE"},
        {"Output Rate", "OUTPUT_RATE"}, {"Skip Lines (n)", "LIFESKIP"}, {"Euler Math", "EULER"},
        {"Averaging", "AVERAGING"}, {"AD Update Rate", "AD_UPDATE_RATE"}, {"Deviation", "DEVIATION"},
        {"Declination", "DECLINATION"}, {"Temperature Offset", "TEMP_OFFSET"},
        {"Temperature Calibration", "TEMPERATURE_CAL"}, {"Depth Offset", "DEPTH_OFFSET"},
        {"Maximum Presure [PSI]", "MAX_PSI"}, {"Acceleration X Offset", "ACC_X_OFFSET"},
        {"Acceleration Y Offset", "ACC_Y_OFFSET"}, {"Acceleration Z Offset", "ACC_Z_OFFSET"},
        {"Acceleration X Scale", "ACC_X_SCALE"}, {"Acceleration Y Scale", "ACC_Y_SCALE"},
        {"Acceleration Z Scale", "ACC_Z_SCALE"}, {"Magnetic X Offset", "MAG_X_OFFSET"},
        {"Magnetic X Offset Factor", "MAG_X_OFFSET_FACTOR"}, {"Magnetic Y Offset", "MAG_Y_OFFSET"},
        {"Magnetic Y Offset Factor", "MAG_Y_OFFSET_FACTOR"}, {"Magnetic Z Offset", "MAG_Z_OFFSET"},
        {"Magnetic Z Offset Factor", "MAG_Z_OFFSET_FACTOR"}, {"Magnetic X Scale", "MAG_X_SCALE"},
        {"Magnetic X Scale (HT)", "MAG_X_SCALE_HT"}, {"Magnetic Y Scale", "MAG_Y_SCALE"},
        {"Magnetic Y Scale (HT)", "MAG_Y_SCALE_HT"}, {"Magnetic Z Scale", "MAG_Z_SCALE"},
        {"Magnetic Z Scale (HT)", "MAG_Z_SCALE_HT"}, {"Magnetic X Bridge Offset", "MAG_X_BRIDGE_OFFSET"},
        {"Magnetic Y Bridge Offset", "MAG_Y_BRIDGE_OFFSET"}, {"Magnetic Z Bridge Offset", "MAG_Z_BRIDGE_OFFSET"},
        {"Total Gauss", "TOTAL_GAUSS"}, {"K Filter", "KFILTER"}, {"Gyro Pitch Q Angle", "GYR_PITCH_QANGLE"},
        {"Gyro Pitch Q Gyro", "GYR_PITCH_QGYRO"}, {"Gyro Pitch R Angle", "GYR_PITCH_RANGLE"},
        {"Gyro Roll Q Angle", "GYR_ROLL_QANGLE"}, {"Gyro Roll Q Gyro", "GYR_ROLL_QGYRO"},
        {"Gyro Roll R Angle", "GYR_ROLL_RANGLE"}, {"Gyro X Offset", "GYR_X_OFFSET"}, {"Gyro Y Offset", "GYR_Y_OFFSET"},
        {"Gyro Z Offset", "GYR_Z_OFFSET"}, {"A", "A"}, {"B", "B"}, {"C", "C"}, {"E", "E"},
        {"Soft Iron Correction", "SOFTIRONCORRECTION"}};
    static_assert(std::size(lines) == 57);
    protocol::ConsoleState state;
    QStringList expected;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        const std::string value = std::to_string(i + 1);
        settings_panel::ParseSettingsLine(state, std::string(lines[i][1]) + "=" + value + "\r\n", '.');
        expected << QStringLiteral("%1 = %2").arg(lines[i][0], i + 1 < std::size(lines) ? value.c_str() : "True");
        if (expected.last().startsWith("Test Date"))
            expected << QString();
    }
    expected << QString();
    EXPECT_EQ(QString::fromStdString(settings_panel::CompassDataText(state.Settings, '.')).split("\r\n"), expected);

    protocol::CompassSettings s;
    s.Deviation = 1.0f / 3.0f;
    s.TotalGauss = 0.00001f;
    const QString text = QString::fromStdString(settings_panel::CompassDataText(s, ','));
    EXPECT_TRUE(text.contains("Deviation = 0,3333333\r\n")) << "seven digits in the user's format";
    EXPECT_TRUE(text.contains("Total Gauss = 1E-05\r\n"));
    EXPECT_TRUE(text.contains("Soft Iron Correction = False\r\n"));
}

} // namespace
} // namespace panel_test
