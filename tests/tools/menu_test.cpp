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

TEST_F(Menu, DumpPrintsEveryNameOnceInOrderThenWaitsForABlank)
{
    const std::string dump = send("\x1b&");
    ASSERT_EQ(dump.rfind("CMD:&\r\n", 0), 0u);
    std::istringstream lines(dump.substr(7));
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_GE(line.size(), 2u);
        ASSERT_EQ(line.back(), '\r') << line;
        line.pop_back();
        const auto eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << line;
        ASSERT_EQ(line.find('=', eq + 1), std::string::npos) << line;
        ASSERT_LT(eq + 1, line.size()) << "no value: " << line;
        names.push_back(line.substr(0, eq));
    }
    EXPECT_EQ(names.size(), 57u);
    EXPECT_EQ(names, ModuleSettings::dumpNames());
    EXPECT_NE(dump.find("\r\nOUTPUT_FORMAT=1\r\nDISPLAY_FIELDS=15\r\n"), std::string::npos);
    EXPECT_TRUE(compass.inMenu());
    send(" ");
    EXPECT_FALSE(compass.inMenu());

    compass.setGyroFitted(false);
    EXPECT_EQ(send("\x1b&").find("KFILTER="), std::string::npos);
}

TEST_F(Menu, OnlyTheCurrentEscapeCodeOpensTheMenu)
{
    EXPECT_EQ(send("\x1b%3\r"), "CMD:%\r\nValue and Enter, or Esc 3\r\n");
    EXPECT_EQ(compass.escapeCode(), 3);
    EXPECT_EQ(send("\x1b" "V"), "");
    EXPECT_EQ(send("\x03"), "CMD:");
    send("%27\r");
    EXPECT_EQ(compass.escapeCode(), 27);
    EXPECT_EQ(send("\x03"), "");
    send("\x1b%256\r");
    EXPECT_EQ(compass.escapeCode(), 27);
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
