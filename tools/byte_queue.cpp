#include "tools/byte_queue.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace compass_sim {

std::size_t ByteQueue::push(std::string_view bytes)
{
    const std::size_t taken = std::min(bytes.size(), room());
    if (m_head > 0 && m_head >= m_bytes.size() / 2) {
        // Written bytes are let go in large steps, so each byte is moved about once.
        m_bytes.erase(0, m_head);
        m_head = 0;
    }
    m_bytes.append(bytes.data(), taken);
    return taken;
}

bool ByteQueue::writeTo(int fd)
{
    while (!empty()) {
        const ssize_t n = ::write(fd, m_bytes.data() + m_head, size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK;
        if (n == 0)
            return true;
        m_head += static_cast<std::size_t>(n);
    }
    clear();
    return true;
}

void ByteQueue::clear()
{
    m_bytes.clear();
    m_head = 0;
}

} // namespace compass_sim
