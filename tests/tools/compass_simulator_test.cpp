#include "platform/sim/sim_platform.h"
#include "platform/wait.h"
#include "tools/compass_simulator.h"
#include "tools/sim_compass_link.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using compass_sim::CompassSimulator;

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() : compass([this](std::string s) { out += s; }) {}
    std::string take()
    {
        std::string s;
        s.swap(out);
        return s;
    }
    std::string out;
    CompassSimulator compass;
};

TEST_F(SimulatorTest, MenuEchoesKeysPromptsAndValues)
{
    compass.receive("\x1b");
    EXPECT_EQ(take(), "CMD:");
    compass.receive("R");
    EXPECT_EQ(take(), "R\r\nValue and Enter, or Esc ");
    compass.receive("-5\r");
    EXPECT_EQ(take(), "-5\r\n");
    EXPECT_EQ(compass.setting("OUTPUT_RATE"), "-5");
    EXPECT_FALSE(compass.inMenu());

    // Escape in place of a value cancels it.
    compass.receive("\x1bX12\x1b");
    EXPECT_EQ(compass.setting("DISPLAY_FIELDS"), "15");
    EXPECT_TRUE(compass.inMenu());
}

TEST_F(SimulatorTest, AnglesAreTakenInTenths)
{
    compass.receive("\x1bQ-125\r");
    EXPECT_EQ(compass.setting("DECLINATION"), "-12.5");
}

TEST_F(SimulatorTest, DumpListsEveryNameOnce)
{
    compass.receive("\x1b&");
    const std::string dump = take();
    int lines = 0;
    for (std::size_t p = dump.find("=\0"[0]); p != std::string::npos; p = dump.find('=', p + 1))
        ++lines;
    EXPECT_EQ(lines, 57);
    EXPECT_NE(dump.find("\r\nOUTPUT_FORMAT=1\r\n"), std::string::npos);
    EXPECT_NE(dump.find("\r\nGYR_Z_OFFSET=0.0\r\n"), std::string::npos);
    EXPECT_TRUE(compass.inMenu());
    compass.receive(" ");
    EXPECT_FALSE(compass.inMenu());
}

TEST_F(SimulatorTest, ChangedEscapeCodeIsTheOnlyOneThatOpensTheMenu)
{
    compass.receive("\x1b%3\r");
    EXPECT_EQ(compass.escapeCode(), 3);
    take();
    compass.receive("\x1b");
    EXPECT_EQ(take(), "");
    compass.receive("\x03");
    EXPECT_EQ(take(), "CMD:");
}

TEST_F(SimulatorTest, FactorySpaceTogglesAndVersionLineNamesTheSerial)
{
    compass.receive("\x1b#");
    EXPECT_EQ(take(), "CMD:#\r\nFACTORY \r\n");
    EXPECT_TRUE(compass.inFactorySpace());
    compass.receive("\x1b#");
    EXPECT_FALSE(compass.inFactorySpace());
    take();
    compass.receive("\x1bV");
    EXPECT_EQ(take(), "CMD:V\r\nORVEX-SIM V2.6, SN#000012345\r\n");
}

TEST_F(SimulatorTest, CalibrationReportsUntilABlank)
{
    compass.receive("\x1b(");
    take();
    compass.advanceTo(1600);
    EXPECT_EQ(take(), "Bridge offset\r\nBridge offset\r\nBridge offset\r\n");
    compass.receive(" ");
    EXPECT_FALSE(compass.calibrating());
}

TEST_F(SimulatorTest, SentencesOfEveryForm)
{
    compass.setSetting("DISPLAY_FIELDS", "7");
    const std::string tagged = compass.sentence();
    ASSERT_EQ(tagged.substr(0, 17), "$C328.1P-0.4R1.2*");
    unsigned sum = 0;
    for (char c : std::string("C328.1P-0.4R1.2"))
        sum ^= static_cast<unsigned char>(c);
    EXPECT_EQ(std::stoul(tagged.substr(17, 2), nullptr, 16), sum);
    EXPECT_EQ(tagged.substr(19), "\r\n");
    compass.setSetting("OUTPUT_FORMAT", "8");
    compass.setSetting("DISPLAY_FIELDS", "9");
    // A clear bit still takes an item.
    EXPECT_EQ(compass.sentence(), "328.1,,,26.3\r\n");
    compass.setSetting("OUTPUT_FORMAT", "2");
    EXPECT_EQ(compass.sentence(), "$OHPR,328.1,,,26.3\r\n");
    compass.setSetting("OUTPUT_FORMAT", "4");
    EXPECT_EQ(compass.sentence().substr(0, 14), "$HCHDT,328.1,T");
}

TEST_F(SimulatorTest, RateSetsTheSentencesPerSecondAndFormat16IsSilent)
{
    compass.setSetting("OUTPUT_RATE", "20");
    compass.advanceTo(1000);
    int n = 0;
    for (std::size_t p = out.find('$'); p != std::string::npos; p = out.find('$', p + 1))
        ++n;
    EXPECT_NEAR(n, 20, 1);
    take();
    compass.setSetting("OUTPUT_FORMAT", "16");
    compass.advanceTo(3000);
    EXPECT_EQ(take(), "");
}

TEST(SimCompassLink, AnswersTheProgramInVirtualTime)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    compass_sim::SimCompassLink link(sim.ports, sim.pump, 2, 19200);
    auto port = sim.ports.createPort();
    port->setPortNumber(2);
    std::string got;
    port->setReceiveHandler([&] { got += port->readAll(); });
    ASSERT_TRUE(port->open());
    sim.advance(1000);
    EXPECT_NE(got.find("$C"), std::string::npos);
    got.clear();
    port->write("\x1b");
    platform::Wait(sim.platform, 50);
    port->write("&");
    platform::Wait(sim.platform, 1000);
    EXPECT_NE(got.find("KFILTER=0.25\r\n"), std::string::npos);
    // 19200 baud: about 0.52 ms a byte, so the dump of ~1.3 kB takes most of a second.
    EXPECT_GT(link.compass().received().size(), 1u);
}

TEST(CompassSimProgram, ServesAPseudoTerminalThroughItsLink)
{
    QTemporaryDir dir;
    const std::string ports = dir.filePath("ports").toStdString();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(COMPASS_SIM_PATH, "compass-sim", "--ports-dir", ports.c_str(), "--com", "4", "--quiet",
                "--rate", "50", "--duration", "10", static_cast<char *>(nullptr));
        ::_exit(127);
    }
    const std::string link = ports + "/COM4";
    for (int i = 0; i < 200 && !std::filesystem::is_symlink(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    auto readFor = [fd](int ms) {
        std::string got;
        char buf[512];
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) {
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, std::size_t(n));
            }
        }
        return got;
    };
    EXPECT_NE(readFor(300).find("$C"), std::string::npos);
    ASSERT_EQ(::write(fd, "\x1b", 1), 1);
    EXPECT_NE(readFor(200).find("CMD:"), std::string::npos);
    ::close(fd);
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_FALSE(std::filesystem::exists(link));
}

} // namespace
