#include "tools/compass_simulator.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using compass_sim::CompassSimulator;
using compass_sim::ModuleSettings;

// The module with everything it sends collected.
class Menu : public ::testing::Test {
protected:
    Menu() : compass([this](std::string s) { out += s; }) {}
    std::string send(std::string_view bytes)
    {
        out.clear();
        compass.receive(bytes);
        return out;
    }
    std::string out;
    CompassSimulator compass;
};

TEST_F(Menu, KeyEchoValuePromptAndValueEcho)
{
    EXPECT_EQ(send("\x1b"), "CMD:");
    EXPECT_TRUE(compass.inMenu());
    EXPECT_EQ(send("R"), "R\r\nValue and Enter, or Esc ");
    EXPECT_EQ(send("-5"), "-5");
    EXPECT_EQ(send("\r"), "\r\n");
    EXPECT_EQ(compass.settings().get("OUTPUT_RATE"), "-5");
    EXPECT_FALSE(compass.inMenu());
    EXPECT_EQ(send("\x1bl12\r"), "CMD:l\r\nValue and Enter, or Esc 12\r\n");
    EXPECT_EQ(compass.settings().get("LIFESKIP"), "12");
}

TEST_F(Menu, AnOverlongValueIsCutRatherThanKept)
{
    const std::string echoed = send("\x1b" "A" + std::string(100, '9'));
    EXPECT_EQ(echoed, "CMD:A\r\nValue and Enter, or Esc " + std::string(32, '9'));
}

TEST_F(Menu, VersionLineCarriesTheStoredSerialNumber)
{
    EXPECT_EQ(send("\x1bV"), "CMD:V\r\nORVEX-SIM V2.6, SN#000012345\r\n");
    send(" ");
    // Fixed-length value: nine characters, no terminator.
    EXPECT_EQ(send("\x1b[000000123"), "CMD:[\r\n000000123\r\n");
    EXPECT_FALSE(compass.inMenu());
    EXPECT_EQ(compass.versionLine(), "ORVEX-SIM V2.6, SN#000000123");
    send("\x1b}05 Nov 10");
    EXPECT_EQ(compass.settings().get("TEST_DATE"), "05 Nov 10");
}

} // namespace

namespace {

TEST_F(Menu, ARefusedSettingKeepsItsValueAndTheOthersStillChange)
{
    compass.refuseSetting("AVERAGING");
    EXPECT_EQ(send("\x1b" "A8\r"), "CMD:A\r\nValue and Enter, or Esc 8\r\n") << "echoed as ever";
    EXPECT_EQ(compass.settings().get("AVERAGING"), "5");
    send("\x1bR5\r");
    EXPECT_EQ(compass.settings().get("OUTPUT_RATE"), "5");
}

} // namespace
