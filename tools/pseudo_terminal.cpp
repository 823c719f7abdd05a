#include "tools/pseudo_terminal.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace compass_sim {

namespace {

[[noreturn]] void fail(const std::string &what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal(Slave slave)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        fail("cannot create a pseudo-terminal (is /dev/ptmx available?)");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        ::close(m_master);
        fail("cannot unlock the pseudo-terminal");
    }
    m_slavePath = ::ptsname(m_master);
    m_keepSlave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (m_keepSlave < 0 || ::tcgetattr(m_keepSlave, &raw) != 0) {
        ::close(m_master);
        fail("cannot open " + m_slavePath);
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(m_keepSlave, TCSANOW, &raw);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (slave == Slave::LeftToProgram) {
        ::close(m_keepSlave);
        m_keepSlave = -1;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    if (m_keepSlave >= 0)
        ::close(m_keepSlave);
    ::close(m_master);
}

std::size_t PseudoTerminal::write(std::string_view bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            break;  // nobody reads and the buffer is full: lost, like on a line with no listener
        written += static_cast<std::size_t>(n);
    }
    return written;
}

bool PseudoTerminal::slaveOpen() const
{
    pollfd p{m_master, 0, 0};
    return ::poll(&p, 1, 0) == 0 || !(p.revents & POLLHUP);
}

PortLink::PortLink(const std::filesystem::path &dir, int com, const std::string &target)
    : m_path(dir / ("COM" + std::to_string(com)))
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = dir.has_filename() ? dir : dir.parent_path();
    if (!fs::is_directory(folder)) {
        if (fs::exists(folder))
            throw std::runtime_error(folder.string() + " is not a folder; --ports-dir names the folder of the COM links");
        // The ports folder beside Compass.ini may not exist yet; a path that is wrong higher up is a mistake.
        const fs::path parent = folder.has_parent_path() ? folder.parent_path() : fs::path(".");
        if (!fs::is_directory(parent))
            throw std::runtime_error("there is no folder " + parent.string() + " to make " + folder.string() +
                                     " in; make it first or give --ports-dir a folder that exists");
        if (!fs::create_directory(folder, ec) && ec)
            throw std::runtime_error("cannot make the folder " + folder.string() + ": " + ec.message());
        m_madeFolder = true;
    }
    if (fs::exists(fs::symlink_status(m_path)) && !fs::is_symlink(fs::symlink_status(m_path)))
        throw std::runtime_error(m_path.string() + " exists and is not a link; remove it or choose another --ports-dir");
    fs::remove(m_path, ec);
    fs::create_symlink(target, m_path, ec);
    if (ec)
        throw std::runtime_error("cannot link " + m_path.string() + " to " + target + ": " + ec.message());
}

PortLink::~PortLink()
{
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

} // namespace compass_sim
