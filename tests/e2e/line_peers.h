#pragma once
// The two ends of a serial line as a test drives them, written with plain
// system calls and none of the tools' own code: a module's side (a pty whose
// slave stands in for the module's device) and a program's side (a port
// opened by its path). Each reads and writes only when the test says so, so
// a reader that stalls, or a writer of bursts larger than a pty's buffer, is
// a matter of what the test calls, not of timing.
#include <QProcess>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace peers {

inline void makeRaw(int fd)
{
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// A port opened raw and non-blocking, closed with the object.
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(Fd &&o) noexcept : fd(o.fd) { o.fd = -1; }
    Fd &operator=(Fd &&o) noexcept
    {
        std::swap(fd, o.fd);
        return *this;
    }
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

inline Fd openPort(const std::string &path)
{
    Fd port(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
    if (port.fd >= 0)
        makeRaw(port.fd);
    return port;
}

// The module's end: the test reads and writes `line`; a tool opens `devicePath`.
struct ModuleLine {
    Fd line;
    Fd device;  // held open so the line does not hang up before the tool opens it
    std::string devicePath;
    ModuleLine()
    {
        int master = -1, slave = -1;
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        line = Fd(master);
        device = Fd(slave);
        makeRaw(master);
        makeRaw(slave);
        devicePath = name;
    }
};

// Bytes no two of which repeat in step with a pty's buffer: a lost or doubled
// stretch shows as a mismatch, not as the same bytes further on.
inline std::string pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (char &c : bytes) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

using Clock = std::chrono::steady_clock;

// Moves bytes on up to four ends at once, each step what the fds take now:
// `out` to be written to `to`, and what `from` gives appended to `in`.
struct Transfer {
    int to = -1;
    std::string out;
    std::size_t written = 0;
    int from = -1;
    std::string in;
};

// Until `done` or `ms` have passed; false on time-out.
inline bool run(std::initializer_list<Transfer *> transfers, const std::function<bool()> &done, int ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    char buf[8192];
    while (!done()) {
        if (Clock::now() > end)
            return false;
        bool moved = false;
        for (Transfer *t : transfers) {
            if (t->to >= 0 && t->written < t->out.size()) {
                const ssize_t n = ::write(t->to, t->out.data() + t->written, t->out.size() - t->written);
                if (n > 0) {
                    t->written += static_cast<std::size_t>(n);
                    moved = true;
                }
            }
            if (t->from >= 0) {
                const ssize_t n = ::read(t->from, buf, sizeof buf);
                if (n > 0) {
                    t->in.append(buf, static_cast<std::size_t>(n));
                    moved = true;
                }
            }
        }
        if (!moved)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A tool's output, both streams.
inline std::string output(QProcess &process)
{
    return (process.readAllStandardOutput() + process.readAllStandardError()).toStdString();
}

} // namespace peers
