#include "bench/screen/raw_pty.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace bench {

RawPty::RawPty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw std::runtime_error(std::string("cannot make a pseudo-terminal: ") + std::strerror(errno));
    m_slavePath = ::ptsname(m_master);
    m_slave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &raw) != 0)
        throw std::runtime_error("cannot open " + m_slavePath + ": " + std::strerror(errno));
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
}

RawPty::~RawPty()
{
    ::close(m_slave);
    ::close(m_master);
}

bool RawPty::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_master, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

int RawPty::queuedForReader() const
{
    int queued = 0;
    return ::ioctl(m_slave, TIOCINQ, &queued) == 0 ? queued : -1;
}

void RawPty::drainReplies()
{
    char buf[4096];
    pollfd p{m_master, POLLIN, 0};
    while (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) && ::read(m_master, buf, sizeof buf) > 0) {
    }
}

} // namespace bench
