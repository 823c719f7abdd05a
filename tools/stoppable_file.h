#pragma once
#include <csignal>
#include <streambuf>
#include <string>

namespace compass_sim {

// A file to read through a std::istream that ends as soon as `stop` is set,
// even in the middle of a read that waits or never ends (a pipe, /dev/zero).
class StoppableFile : public std::streambuf {
public:
    // Throws std::runtime_error saying why the file cannot be read.
    StoppableFile(const std::string &path, const volatile std::sig_atomic_t &stop);
    ~StoppableFile() override;
    StoppableFile(const StoppableFile &) = delete;
    StoppableFile &operator=(const StoppableFile &) = delete;

    // Why reading ended early, empty when it did not.
    const std::string &error() const { return m_error; }

protected:
    int_type underflow() override;

private:
    int m_fd;
    const volatile std::sig_atomic_t &m_stop;
    std::string m_error;
    char m_buffer[1 << 16];
};

} // namespace compass_sim
