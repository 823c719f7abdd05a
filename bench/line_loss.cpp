// Whether compass-tap and compass-sim --replay pass on every byte to a far
// side that reads late, measured by peers written here from the capture
// format's description, with none of the tools' own code: a module that
// writes sentences to a pty, a program's side that stalls or reads slowly, a
// capture written by hand. The tools run as they are installed, as processes.
//
//   bench_line_loss [runs=20]
//
// 1. Through the tap at 1,700 sentences/s (a 921600-baud line) for 3 s, the
//    program's side stops reading for 1 s in the middle: bytes lost.
// 2. 64 KiB bursts from both sides at once, both reading meanwhile: runs exact.
// 3. A replay at --speed 10 of 20 s of 1,000 sentences/s into a reader taking
//    4 KiB every 10 ms: bytes delivered, exit status, the delay it reports.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

void raw(int fd)
{
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// A tool run as a process, its output in a file.
struct Tool {
    pid_t pid = -1;
    std::string log;

    Tool(const std::string &path, std::vector<std::string> args, const std::string &folder)
        : log(folder + "/tool.log")
    {
        args.insert(args.begin(), path);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        if (posix_spawn(&pid, path.c_str(), &files, nullptr, argv.data(), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&files);
    }
    // The exit status, after SIGTERM when `stop`.
    int finish(bool stop)
    {
        if (stop)
            ::kill(pid, SIGTERM);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool running() const { return ::waitpid(pid, nullptr, WNOHANG) == 0; }
    std::string output() const
    {
        std::ifstream in(log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

bool exists(const std::string &path, std::chrono::milliseconds within)
{
    for (const auto end = Clock::now() + within; Clock::now() < end; std::this_thread::sleep_for(10ms)) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0)
            return true;
    }
    return false;
}

int openPort(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0)
        raw(fd);
    return fd;
}

// A tagged sentence of 53 bytes with the magnetic field, its checksum the XOR after "$".
std::string sentence(long n)
{
    char body[80];
    std::snprintf(body, sizeof body, "$C%05.1fP%+05.1fR%+05.1fT22.5Mx%+06.1fMy%+06.1fMz%+06.1f",
                  static_cast<double>(n % 3600) / 10.0, static_cast<double>(n % 400) / 10.0 - 20,
                  static_cast<double>(n % 300) / 10.0 - 15, 180.0 + static_cast<double>(n % 100),
                  -20.0 + static_cast<double>(n % 50), 150.0 - static_cast<double>(n % 70));
    unsigned char sum = 0;
    for (const char *c = body + 1; *c; ++c)
        sum ^= static_cast<unsigned char>(*c);
    char line[96];
    std::snprintf(line, sizeof line, "%s*%02X\r\n", body, sum);
    return line;
}

std::string pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    unsigned x = seed * 2654435761u + 7;
    for (char &c : bytes)
        c = static_cast<char>((x = x * 1103515245u + 12345u) >> 23);
    return bytes;
}

std::size_t readSome(int fd, std::string &into, std::size_t most)
{
    char buf[65536];
    const ssize_t n = ::read(fd, buf, std::min(most, sizeof buf));
    if (n <= 0)
        return 0;
    into.append(buf, static_cast<std::size_t>(n));
    return static_cast<std::size_t>(n);
}

void writeSome(int fd, const std::string &bytes, std::size_t &written)
{
    if (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        written += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
}

struct Folder {
    std::string path;
    Folder()
    {
        char name[] = "/tmp/line-loss-XXXXXX";
        if (::mkdtemp(name))
            path = name;
    }
    ~Folder()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
};

// The tap between a module pty and the program's port, with the port open and seen open by the tap.
struct TapRun {
    Folder folder;
    int module = -1, device = -1, program = -1;
    std::unique_ptr<Tool> tap;

    TapRun(const std::string &tapPath)
    {
        char name[128];
        if (::openpty(&module, &device, name, nullptr, nullptr) != 0)
            return;
        raw(module);
        raw(device);
        tap = std::make_unique<Tool>(tapPath, std::vector<std::string>{"--device", name, "--ports-dir", folder.path,
                                                                       "--com", "2", "--capture",
                                                                       folder.path + "/capture.txt"},
                                     folder.path);
        if (!exists(folder.path + "/COM2", 5s))
            return;
        program = openPort(folder.path + "/COM2");
        // The tap passes the program's bytes on once it has seen the port open.
        std::string heard;
        const bool asked = ::write(program, "?", 1) == 1;
        for (const auto end = Clock::now() + 5s; asked && heard.empty() && Clock::now() < end;
             std::this_thread::sleep_for(1ms))
            readSome(module, heard, 1);
    }
    ~TapRun()
    {
        for (int fd : {module, device, program})
            if (fd >= 0)
                ::close(fd);
    }
};

void stalledReader(const std::string &tapPath, int runs)
{
    int exact = 0;
    std::size_t sentTotal = 0, lostMost = 0;
    for (int run = 0; run < runs; ++run) {
        TapRun line(tapPath);
        std::string sent, got;
        const auto start = Clock::now();
        constexpr double perSecond = 1700;
        for (long n = 0; Clock::now() - start < 3s || got.size() < sent.size();) {
            const auto now = Clock::now();
            const double due = std::chrono::duration<double>(now - start).count() * perSecond;
            for (; n < static_cast<long>(due) && now - start < 3s; ++n) {
                const std::string s = sentence(n);
                std::size_t written = 0;
                while (written < s.size())
                    writeSome(line.module, s, written);
                sent += s;
            }
            const bool stalled = now - start > 1s && now - start < 2s;
            if (!stalled && readSome(line.program, got, SIZE_MAX) == 0 && now - start > 3s + 2s)
                break;
            std::this_thread::sleep_for(200us);
        }
        const int status = line.tap->finish(true);
        sentTotal = sent.size();
        exact += got == sent && status == 0;
        lostMost = std::max(lostMost, sent.size() > got.size() ? sent.size() - got.size() : 0);
        if (got != sent || status != 0)
            std::printf("  run %d: %zu of %zu B, exit %d\n%s", run + 1, got.size(), sent.size(), status,
                        line.tap->output().c_str());
    }
    std::printf("tap, reader stalling 1 s at 1,700 sentences/s: %d of %d runs exact (%zu B each), most lost %zu B\n",
                exact, runs, sentTotal, lostMost);
}

void burstsBothWays(const std::string &tapPath, int runs)
{
    int exact = 0;
    for (int run = 0; run < runs; ++run) {
        TapRun line(tapPath);
        const std::string down = pattern(65536, 2 * run), up = pattern(65536, 2 * run + 1);
        std::string atProgram, atModule;
        std::size_t downWritten = 0, upWritten = 0;
        for (const auto end = Clock::now() + 10s;
             (atProgram.size() < down.size() || atModule.size() < up.size()) && Clock::now() < end;) {
            writeSome(line.module, down, downWritten);
            writeSome(line.program, up, upWritten);
            if (readSome(line.program, atProgram, SIZE_MAX) + readSome(line.module, atModule, SIZE_MAX) == 0)
                std::this_thread::sleep_for(200us);
        }
        const int status = line.tap->finish(true);
        exact += atProgram == down && atModule == up && status == 0;
        if (atProgram != down || atModule != up || status != 0)
            std::printf("  run %d: to the program %zu of %zu B, to the module %zu of %zu B, exit %d\n", run + 1,
                        atProgram.size(), down.size(), atModule.size(), up.size(), status);
    }
    std::printf("tap, 64 KiB bursts both ways at once: %d of %d runs exact\n", exact, runs);
}

// Escaped as docs/capture_format.md says.
std::string escaped(const std::string &bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        char hex[8];
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c > ' ' && c < 127)
            out += static_cast<char>(c);
        else if (c == ' ' && i + 1 < bytes.size())
            out += ' ';
        else {
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

void slowReaderOfAReplay(const std::string &simPath)
{
    Folder folder;
    const std::string capture = folder.path + "/capture.txt";
    std::string sent;
    {
        std::ofstream out(capture);
        out << "compass-capture 2\n0.000000 opened\n";
        char time[32];
        for (long n = 0; n < 20000; ++n) {
            const std::string s = sentence(n);
            std::snprintf(time, sizeof time, "%ld.%06ld", (n + 1) / 1000, (n + 1) % 1000 * 1000);
            out << time << " module " << escaped(s) << "\n";
            sent += s;
        }
        out << "20.100000 end stopped by SIGINT\n";
    }
    Tool replay(simPath, {"--replay", capture, "--speed", "10", "--ports-dir", folder.path, "--com", "2", "--quiet"},
                folder.path);
    if (!exists(folder.path + "/COM2", 5s))
        return;
    const int program = openPort(folder.path + "/COM2");
    const auto start = Clock::now();
    std::string got;
    while (replay.running() || readSome(program, got, 4096) > 0) {
        readSome(program, got, 4096);
        std::this_thread::sleep_for(10ms);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const int status = replay.finish(false);
    ::close(program);
    std::string report = replay.output();
    const std::size_t behind = report.find(", at most");
    std::printf("replay at 10x of %zu B (10,000 sentences a second) into a reader taking 4 KiB every 10 ms: "
                "%zu B delivered%s in %.2f s, exit %d; it says:%s\n",
                sent.size(), got.size(), got == sent ? " exactly" : ", NOT as sent", seconds, status,
                behind == std::string::npos ? " nothing of its delay"
                                            : report.substr(behind + 1, report.find(';', behind) - behind - 1).c_str());
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    std::signal(SIGPIPE, SIG_IGN);
    stalledReader(COMPASS_TAP_PATH, std::max(1, runs / 4));
    burstsBothWays(COMPASS_TAP_PATH, runs);
    slowReaderOfAReplay(COMPASS_SIM_PATH);
    return 0;
}
