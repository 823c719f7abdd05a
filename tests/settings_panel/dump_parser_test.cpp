#include "settings_panel/settings_dump.h"

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

} // namespace
} // namespace panel_test
