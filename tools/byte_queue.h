#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace compass_sim {

// Bytes on their way to a file descriptor that takes them only as fast as
// its reader reads: kept in order, at most `capacity` of them, and written
// out whenever the far side has room (poll for POLLOUT while not empty).
class ByteQueue {
public:
    explicit ByteQueue(std::size_t capacity) : m_capacity(capacity) {}

    // Takes what there is room for, from the front of `bytes`; returns how many.
    std::size_t push(std::string_view bytes);
    // Writes what `fd` (non-blocking) takes now. False when it refuses with
    // an error other than being full; errno says which.
    bool writeTo(int fd);
    void clear();

    std::size_t size() const { return m_bytes.size() - m_head; }
    bool empty() const { return size() == 0; }
    std::size_t room() const { return m_capacity - size(); }

private:
    std::size_t m_capacity;
    std::string m_bytes;
    std::size_t m_head = 0;
};

} // namespace compass_sim
