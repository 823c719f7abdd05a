#include "tools/sim_options.h"

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
#include <stdexcept>
#include <thread>

namespace {

using compass_sim::parseSimOptions;

TEST(SimOptions, ReadTheModuleAndLinkChoices)
{
    const auto o = parseSimOptions({"--ports-dir", "p", "--com", "5", "--rate", "2.5", "--format", "8", "--fields",
                                    "9", "--escape", "3", "--quiet", "--duration", "4", "--hang-up-on", "38"});
    EXPECT_EQ(o.portsDir, "p");
    EXPECT_EQ(o.com, 5);
    EXPECT_DOUBLE_EQ(*o.rate, 2.5);
    EXPECT_EQ(*o.format, 8);
    EXPECT_EQ(*o.fields, 9);
    EXPECT_EQ(o.escape, 3);
    EXPECT_TRUE(o.quiet);
    EXPECT_DOUBLE_EQ(o.durationSeconds, 4);
    EXPECT_EQ(o.hangUpOn, 38);
    EXPECT_FALSE(parseSimOptions({}).format.has_value());
    EXPECT_FALSE(parseSimOptions({}).hangUpOn.has_value());
}

TEST(SimOptions, RefuseWhatTheModuleCannotBe)
{
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--format", "3"}, {"--escape", "256"}, {"--fields", "8192"}, {"--com", "x"},
          {"--rate", "0"}, {"--hang-up-on", "-1"}, {"--duration", "-1"}, {"--com"}, {"--colour", "red"}, {"stray"}})
        EXPECT_THROW(parseSimOptions(bad), std::invalid_argument) << bad[0];
}

// The built program on a real pseudo-terminal.
class Program : public ::testing::Test {
protected:
    // Starts compass-sim on COM4 with `extra` after the common options.
    void launch(const std::vector<std::string> &extra = {})
    {
        char pattern[] = "/tmp/compass-sim-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        link = dir / "ports" / "COM4";
        std::vector<std::string> args{"compass-sim", "--ports-dir", (dir / "ports").string(), "--com", "4",
                                      "--quiet", "--rate", "50", "--duration", "20"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::execv(COMPASS_SIM_PATH, argv.data());
            ::_exit(127);
        }
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
    int openLink()
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!std::filesystem::is_symlink(link) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
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

} // namespace
