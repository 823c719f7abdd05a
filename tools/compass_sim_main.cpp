// compass-sim: a simulated compass module on a pseudo-terminal, linked as
// <ports-dir>/COM<n> for the main program.
#include "tools/compass_simulator.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

struct Options {
    std::string portsDir = "ports";
    int com = 2;
    double rate = 0;
    int format = 0;
    int fields = -1;
    int escape = 27;
    double duration = 0;
    double turn = 2.0;
    bool quiet = false;
};

void usage()
{
    std::puts("usage: compass-sim [--ports-dir DIR] [--com N] [--rate PER_SECOND] [--format 1|2|4|8|16]\n"
              "                   [--fields MASK] [--escape CODE] [--turn DEG_PER_S] [--duration SECONDS] [--quiet]\n"
              "Makes a pseudo-terminal, links it as DIR/COM<N> (default ports/COM2) and answers on it\n"
              "like the compass module. Prints what it receives unless --quiet.");
}

bool parse(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto next = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
        const char *v = nullptr;
        if (a == "--quiet") { o.quiet = true; continue; }
        if (a == "--help" || a == "-h") { usage(); std::exit(0); }
        if (!(v = next())) { std::fprintf(stderr, "compass-sim: %s needs a value\n", a.c_str()); return false; }
        if (a == "--ports-dir") o.portsDir = v;
        else if (a == "--com") o.com = std::atoi(v);
        else if (a == "--rate") o.rate = std::atof(v);
        else if (a == "--format") o.format = std::atoi(v);
        else if (a == "--fields") o.fields = std::atoi(v);
        else if (a == "--escape") o.escape = std::atoi(v);
        else if (a == "--duration") o.duration = std::atof(v);
        else if (a == "--turn") o.turn = std::atof(v);
        else { std::fprintf(stderr, "compass-sim: unknown option %s\n", a.c_str()); return false; }
    }
    return true;
}

std::uint64_t nowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void printReceived(std::uint64_t at, const char *data, ssize_t n)
{
    std::string shown;
    for (ssize_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char esc[8];
            std::snprintf(esc, sizeof esc, "<%d>", c);
            shown += esc;
        }
    }
    std::printf("%8.3f received %s\n", static_cast<double>(at) / 1000.0, shown.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    Options opt;
    if (!parse(argc, argv, opt)) {
        usage();
        return 2;
    }
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("compass-sim: cannot create a pseudo-terminal");
        return 1;
    }
    const std::string slave = ::ptsname(master);
    // Holding the slave open ourselves keeps the master alive while the program closes and reopens it.
    const int keepSlave = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    ::tcgetattr(keepSlave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(keepSlave, TCSANOW, &raw);
    ::fcntl(master, F_SETFL, O_NONBLOCK);

    namespace fs = std::filesystem;
    const fs::path link = fs::path(opt.portsDir) / ("COM" + std::to_string(opt.com));
    std::error_code ec;
    fs::create_directories(opt.portsDir, ec);
    fs::remove(link, ec);
    fs::create_symlink(slave, link, ec);
    if (ec) {
        std::fprintf(stderr, "compass-sim: cannot link %s to %s: %s\n", link.c_str(), slave.c_str(),
                     ec.message().c_str());
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    const std::uint64_t start = nowMs();
    compass_sim::CompassSimulator compass([master](std::string bytes) {
        const char *p = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(master, p, left);
            if (n <= 0)
                return;  // nobody reads: drop, like a line with no listener
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    });
    if (opt.rate > 0)
        compass.overrideSentencesPerSecond(opt.rate);
    if (opt.format > 0)
        compass.setSetting("OUTPUT_FORMAT", std::to_string(opt.format));
    if (opt.fields >= 0)
        compass.setSetting("DISPLAY_FIELDS", std::to_string(opt.fields));
    compass.setEscapeCode(opt.escape);
    compass.setTurnRate(opt.turn);
    if (!opt.quiet)
        std::printf("compass-sim: %s -> %s\n", link.c_str(), slave.c_str());
    std::fflush(stdout);

    char buf[4096];
    while (!g_stop) {
        const std::uint64_t now = nowMs() - start;
        if (opt.duration > 0 && static_cast<double>(now) >= opt.duration * 1000.0)
            break;
        compass.advanceTo(now);
        const std::uint64_t due = compass.nextDue();
        const int timeout = static_cast<int>(std::clamp<std::int64_t>(std::int64_t(due) - std::int64_t(now), 0, 100));
        pollfd pfd{master, POLLIN, 0};
        if (::poll(&pfd, 1, timeout) > 0 && (pfd.revents & POLLIN)) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                const std::uint64_t at = nowMs() - start;
                compass.advanceTo(at);
                if (!opt.quiet)
                    printReceived(at, buf, n);
                compass.receive(std::string_view(buf, static_cast<std::size_t>(n)));
            }
        }
    }
    fs::remove(link, ec);
    ::close(keepSlave);
    ::close(master);
    return 0;
}
