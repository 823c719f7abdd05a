#include "tools/stoppable_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace compass_sim {

StoppableFile::StoppableFile(const std::string &path, const volatile std::sig_atomic_t &stop)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), m_stop(stop)
{
    if (m_fd < 0)
        throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
}

StoppableFile::~StoppableFile() { ::close(m_fd); }

StoppableFile::int_type StoppableFile::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    while (!m_stop) {
        const ssize_t n = ::read(m_fd, m_buffer, sizeof m_buffer);
        if (n > 0) {
            setg(m_buffer, m_buffer, m_buffer + n);
            return traits_type::to_int_type(*gptr());
        }
        if (n == 0)
            return traits_type::eof();
        if (errno != EINTR) {
            m_error = std::strerror(errno);
            return traits_type::eof();
        }
    }
    return traits_type::eof();
}

} // namespace compass_sim
