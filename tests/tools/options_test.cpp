#include "tools/sim_options.h"
#include "tools/tap_options.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using compass_sim::parseSimOptions;
using compass_sim::parseTapOptions;

TEST(Options, ValuesLandInTheirFieldsInEitherForm)
{
    for (const auto &args : {std::vector<std::string>{"--com", "5", "--rate", "2.5", "--escape", "3", "--quiet",
                                                      "--hard-iron", "28,-16,9.5", "--format", "8"},
                             std::vector<std::string>{"--com=5", "--rate=2.5", "--escape=3", "--quiet",
                                                      "--hard-iron=28,-16,9.5", "--format=8"}}) {
        const auto o = parseSimOptions(args).options;
        EXPECT_EQ(o.com, 5);
        EXPECT_DOUBLE_EQ(*o.rate, 2.5);
        EXPECT_EQ(o.escape, 3);
        EXPECT_TRUE(o.quiet);
        EXPECT_EQ(o.hardIron, (std::array<double, 3>{28, -16, 9.5}));
        EXPECT_EQ(*o.format, 8);
    }
    const auto defaults = parseSimOptions({}).options;
    EXPECT_FALSE(defaults.format || defaults.hangUpOn || defaults.replay || defaults.quiet);
    EXPECT_EQ(defaults.com, 2);

    const auto tap = parseTapOptions({"--device-com=101", "--com=7", "--capture", "c.txt", "--on-full-disk=stop"});
    EXPECT_EQ(tap.options.deviceCom, 101);
    EXPECT_TRUE(tap.options.stopOnFullDisk);
    EXPECT_FALSE(parseTapOptions({"--device", "/dev/ttyUSB0", "--capture", "c"}).options.stopOnFullDisk);
}

TEST(Options, VersionAndHelpPrintInsteadOfRunning)
{
    const auto version = parseSimOptions({"--version"}).print;
    ASSERT_TRUE(version);
    EXPECT_EQ(version->rfind("compass-sim ", 0), 0u);
    EXPECT_EQ(parseTapOptions({"--version"}).print->rfind("compass-tap ", 0), 0u);
    const std::string help = *parseSimOptions({"--com", "3", "-h"}).print;
    for (const auto &option : compass_sim::simOptionTable())
        EXPECT_NE(help.find("--" + option.name), std::string::npos) << option.name;
}

TEST(Options, RefuseWhatTheToolsCannotTake)
{
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--format", "3"}, {"--escape=256"}, {"--com", "2.5"}, {"--fields", "8192"}, {"--com", "x"},
          {"--rate", "0"}, {"--hang-up-on", "-1"}, {"--duration", "-1"}, {"--com"}, {"--colour", "red"}, {"stray"},
          {"--speed", "0"}, {"--quiet=yes"}, {"--hard-iron", "1,2"}, {"--hard-iron", "1,2,3,4"},
          {"--soft-iron", "1,0,0,0,1,0,0,0,x"}, {"--mag-noise", "-1"}, {"--tumble", "-5"}, {"--earth-field", "50"},
          // Values whose results would not be finite, or would run until a signal.
          {"--mag-noise", "1e308"}, {"--hard-iron", "1e308,0,0"}, {"--soft-iron", "1,0,0,0,1e308,0,0,0,1"},
          {"--turn", "1e308"}, {"--rate", "1e9"}, {"--duration", "1e-300"}, {"--duration", "1e300"},
          {"--tumble", "1e-300"}, {"--speed", "1e-300"}, {"--speed", "1001"}})
        EXPECT_THROW(parseSimOptions(bad), std::invalid_argument) << bad[0] << " " << bad.back();
    // The ends of each range are taken.
    const auto edges = parseSimOptions({"--duration", "0.001", "--mag-noise", "10000", "--tumble", "1", "--speed",
                                        "0.01", "--rate", "20000", "--turn", "-3600", "--hard-iron", "-10000,0,10000"})
                           .options;
    EXPECT_DOUBLE_EQ(edges.durationSeconds, 0.001);
    EXPECT_DOUBLE_EQ(edges.magNoise, 10000);
    EXPECT_DOUBLE_EQ(edges.tumbleSeconds, 1);
    EXPECT_DOUBLE_EQ(edges.speed, 0.01);
    EXPECT_EQ(parseSimOptions({"--duration", "0", "--tumble", "0"}).options.durationSeconds, 0);
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--capture", "c"}, {"--device", "d", "--device-com", "3", "--capture", "c"},
          {"--device", "d"}, {"--device-com", "2", "--capture", "c"}, {"--device", "d", "--capture", "c", "--line", "9600,X,8,1"},
          {"--device", "d", "--capture", "c", "--on-full-disk", "pause"}})
        EXPECT_THROW(parseTapOptions(bad), std::invalid_argument) << bad[0] << " " << bad.back();
}

} // namespace
