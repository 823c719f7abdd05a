#include "tools/sim_options.h"
#include "tools/tap_options.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

using compass_sim::parseSimOptions;
using compass_sim::parseTapOptions;

// Every option as --opt value and as --opt=value: the same meaning either way.
TEST(Options, BothFormsKeepEachOptionsMeaning)
{
    const std::vector<std::string> spaced{"--ports-dir", "p", "--com", "5", "--rate", "2.5", "--format", "8",
                                          "--fields", "9", "--escape", "3", "--quiet", "--duration", "4",
                                          "--hang-up-on", "38", "--turn", "0", "--replay", "c.txt", "--speed", "10",
                                          "--hard-iron", "28,-16,9.5", "--soft-iron", "1.1,0,0,0,1,0,0,0.5,0.9",
                                          "--mag-noise", "0.5", "--tumble", "60"};
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < spaced.size(); ++i) {
        if (spaced[i] == "--quiet") {
            joined.push_back(spaced[i]);
        } else {
            joined.push_back(spaced[i] + "=" + spaced[i + 1]);
            ++i;
        }
    }
    for (const auto &args : {spaced, joined}) {
        const auto o = parseSimOptions(args).options;
        EXPECT_EQ(o.portsDir, "p");
        EXPECT_EQ(o.com, 5);
        EXPECT_DOUBLE_EQ(*o.rate, 2.5);
        EXPECT_EQ(*o.format, 8);
        EXPECT_EQ(*o.fields, 9);
        EXPECT_EQ(o.escape, 3);
        EXPECT_TRUE(o.quiet);
        EXPECT_DOUBLE_EQ(o.durationSeconds, 4);
        EXPECT_EQ(o.hangUpOn, 38);
        EXPECT_DOUBLE_EQ(o.turnDegPerSecond, 0);
        EXPECT_EQ(o.replay, "c.txt");
        EXPECT_DOUBLE_EQ(o.speed, 10);
        EXPECT_EQ(o.hardIron, (std::array<double, 3>{28, -16, 9.5}));
        EXPECT_EQ(o.softIron, (std::array<double, 9>{1.1, 0, 0, 0, 1, 0, 0, 0.5, 0.9}));
        EXPECT_DOUBLE_EQ(o.magNoise, 0.5);
        EXPECT_DOUBLE_EQ(o.tumbleSeconds, 60);
    }
    const auto defaults = parseSimOptions({}).options;
    EXPECT_FALSE(defaults.format || defaults.hangUpOn || defaults.replay || defaults.quiet);
    EXPECT_EQ(defaults.com, 2);

    const auto tap = parseTapOptions({"--device-com=101", "--line", "115200,E,7,2", "--com=7", "--capture", "c.txt",
                                      "--on-full-disk=stop"}).options;
    EXPECT_EQ(tap.deviceCom, 101);
    EXPECT_EQ(tap.line, "115200,E,7,2");
    EXPECT_EQ(tap.com, 7);
    EXPECT_TRUE(tap.stopOnFullDisk);
    EXPECT_FALSE(parseTapOptions({"--device", "/dev/ttyUSB0", "--capture", "c"}).options.stopOnFullDisk);
}

TEST(Options, VersionAndHelpPrintInsteadOfRunning)
{
    const auto version = parseSimOptions({"--version"}).print;
    ASSERT_TRUE(version);
    EXPECT_EQ(version->rfind("compass-sim ", 0), 0u);
    EXPECT_EQ(parseTapOptions({"--version"}).print->rfind("compass-tap ", 0), 0u);
    const std::string help = *parseSimOptions({"--com", "3", "-h"}).print;
    for (const auto &spec : compass_sim::simOptionSpecs())
        EXPECT_NE(help.find("--" + spec.name), std::string::npos) << spec.name;
}

TEST(Options, RefuseWhatTheToolsCannotTake)
{
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--format", "3"}, {"--escape=256"}, {"--fields", "8192"}, {"--com", "x"},
          {"--rate", "0"}, {"--hang-up-on", "-1"}, {"--duration", "-1"}, {"--com"}, {"--colour", "red"}, {"stray"},
          {"--speed", "0"}, {"--quiet=yes"}, {"--hard-iron", "1,2"}, {"--hard-iron", "1,2,3,4"},
          {"--soft-iron", "1,0,0,0,1,0,0,0,x"}, {"--mag-noise", "-1"}, {"--tumble", "-5"}})
        EXPECT_THROW(parseSimOptions(bad), std::invalid_argument) << bad[0];
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--capture", "c"}, {"--device", "d", "--device-com", "3", "--capture", "c"},
          {"--device", "d"}, {"--device-com", "2", "--capture", "c"}, {"--device", "d", "--capture", "c", "--line", "9600,X,8,1"},
          {"--device", "d", "--capture", "c", "--on-full-disk", "pause"}})
        EXPECT_THROW(parseTapOptions(bad), std::invalid_argument) << bad[0] << " " << bad.back();
}

// The built program on a real pseudo-terminal.
class Program : public ::testing::Test {
protected:
    // Starts compass-sim on COM4 with `extra` after the common options.
    void launch(const std::vector<std::string> &extra = {})
    {
        makeDir();
        std::vector<std::string> args{"--ports-dir", (dir / "ports").string(), "--com", "4",
                                      "--quiet", "--rate", "50", "--duration", "20"};
        args.insert(args.end(), extra.begin(), extra.end());
        child = spawn(COMPASS_SIM_PATH, args, dir / "sim-errors.txt");
    }
    void makeDir()
    {
        if (!dir.empty())
            return;
        char pattern[] = "/tmp/compass-sim-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        link = dir / "ports" / "COM4";
    }
    // Runs `path` with `args`, its standard error going to the file `errors`.
    static pid_t spawn(const char *path, std::vector<std::string> args, const std::filesystem::path &errors)
    {
        args.insert(args.begin(), path);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(fd, STDERR_FILENO);
            ::execv(path, argv.data());
            ::_exit(127);
        }
        return pid;
    }
    static int exitStatus(pid_t pid)
    {
        int status = 0;
        return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string contents(const std::filesystem::path &file)
    {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void TearDown() override
    {
        if (child > 0) {
            ::kill(child, SIGTERM);
            ::waitpid(child, nullptr, 0);
        }
        if (!dir.empty())
            std::filesystem::remove_all(dir);
    }
    // Reads until `wanted` shows up, the line dies or the program has had ample time.
    std::string readUntil(int fd, const std::string &wanted)
    {
        std::string got;
        char buf[512];
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (got.find(wanted) == std::string::npos && std::chrono::steady_clock::now() < giveUp) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, std::size_t(n));
                else if (p.revents & (POLLHUP | POLLERR))
                    break;  // the far end has gone

            }
        }
        return got;
    }
    int openLink() { return openLink(link); }
    static bool linked(const std::filesystem::path &link)
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!std::filesystem::is_symlink(link) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return std::filesystem::is_symlink(link);
    }
    int openLink(const std::filesystem::path &link)
    {
        linked(link);
        const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
        if (fd >= 0) {
            termios t{};
            ::tcgetattr(fd, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(fd, TCSANOW, &t);
        }
        return fd;
    }
    std::filesystem::path dir, link;
    pid_t child = -1;
};

TEST_F(Program, SendsSentencesAnswersEscAndSurvivesAReopen)
{
    launch();
    int fd = openLink();
    ASSERT_GE(fd, 0) << "no " << link;
    EXPECT_NE(readUntil(fd, "\r\n$C").find("\r\n$C"), std::string::npos);
    ASSERT_EQ(::write(fd, "\x1b", 1), 1);
    EXPECT_NE(readUntil(fd, "CMD:").find("CMD:"), std::string::npos);
    ASSERT_EQ(::write(fd, " ", 1), 1);
    ::close(fd);

    fd = openLink();
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "\x1bV", 2), 2);
    EXPECT_NE(readUntil(fd, "CMD:V\r\n").find("CMD:V\r\n"), std::string::npos);
    ::close(fd);

    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    child = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST_F(Program, HangUpSendsHalfTheReplyThenLeavesTheLineDead)
{
    launch({"--hang-up-on", "38"});
    const int fd = openLink();
    ASSERT_GE(fd, 0) << "no " << link;
    ASSERT_EQ(::write(fd, "\x1b", 1), 1);
    ASSERT_NE(readUntil(fd, "CMD:").find("CMD:"), std::string::npos);
    ASSERT_EQ(::write(fd, "&", 1), 1);
    const std::string got = readUntil(fd, "never sent");
    ::close(fd);
    // The echo and the start of the dump, not its end.
    EXPECT_NE(got.find("&\r\n"), std::string::npos) << got;
    EXPECT_NE(got.find("FW_VERSION"), std::string::npos) << got;
    EXPECT_EQ(got.find("GYR_Z_OFFSET"), std::string::npos) << got;
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    child = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

// The capture's disk is full: the tap says so once and forwards on, or stops when asked.
TEST_F(Program, AFullDiskStopsRecordingAndForwardingOnlyWhenAsked)
{
    launch();
    ASSERT_TRUE(linked(link));
    const std::vector<std::string> tapArgs{"--device-com", "4", "--ports-dir", (dir / "ports").string(), "--com", "5",
                                           "--capture", "/dev/full", "--on-full-disk"};
    std::vector<std::string> args = tapArgs;
    args.push_back("forward");
    const pid_t tap = spawn(COMPASS_TAP_PATH, args, dir / "forward.txt");
    const int fd = openLink(dir / "ports" / "COM5");
    ASSERT_GE(fd, 0);
    EXPECT_NE(readUntil(fd, "\r\n$C").find("\r\n$C"), std::string::npos);
    EXPECT_NE(readUntil(fd, "\r\n$C").find("\r\n$C"), std::string::npos);
    ::close(fd);
    ::kill(tap, SIGTERM);
    EXPECT_EQ(exitStatus(tap), 0);
    const std::string told = contents(dir / "forward.txt");
    EXPECT_NE(told.find("recording stopped"), std::string::npos) << told;
    EXPECT_EQ(told.find("recording stopped"), told.rfind("recording stopped")) << told;

    args = tapArgs;
    args.push_back("stop");
    EXPECT_EQ(exitStatus(spawn(COMPASS_TAP_PATH, args, dir / "stop.txt")), 1);
    EXPECT_NE(contents(dir / "stop.txt").find("No space left on device; the capture keeps what was written; forwarding stops"),
              std::string::npos) << contents(dir / "stop.txt");
}

TEST_F(Program, ReplayPlaysACaptureUpToABadLineThenStopsNamingIt)
{
    makeDir();
    const auto capture = dir / "bad.txt";
    std::ofstream(capture) << "compass-capture 1\n"
                              "0.050000 module $Cbefore the program opened\\r\\n\n"
                              "0.100000 opened\n"
                              "0.150000 module $C1.0P2.0R3.0T4.0*00\\r\\n\n"
                              "0.200000 program \\e\n"
                              "0.210000 module CMD:\n"
                              "0.3 module x\n";
    child = spawn(COMPASS_SIM_PATH,
                  {"--replay", capture.string(), "--speed", "10", "--ports-dir", (dir / "ports").string(), "--com", "4"},
                  dir / "errors.txt");
    const int fd = openLink();
    ASSERT_GE(fd, 0);
    EXPECT_EQ(readUntil(fd, "\r\n"), "$C1.0P2.0R3.0T4.0*00\r\n");
    // The module's menu prompt waits for the escape the capture has the program send first.
    ASSERT_EQ(::write(fd, "\x1b", 1), 1);
    EXPECT_EQ(readUntil(fd, "CMD:"), "CMD:");
    ::close(fd);
    EXPECT_EQ(exitStatus(child), 2);
    child = -1;
    EXPECT_NE(contents(dir / "errors.txt").find("bad.txt: line 7: a record begins with seconds"), std::string::npos)
        << contents(dir / "errors.txt");
}

} // namespace
