#include "tools/capture_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace compass_sim {

namespace {

// Gathered records beyond this go out before the next flush, so memory stays bounded.
constexpr std::size_t MaxPending = 1 << 16;

int openNew(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST)
        return fd;
    // A pipe or a device (a live viewer, /dev/null) is fine; a file is someone's earlier capture.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        errno = EEXIST;
        return -1;
    }
    return ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
}

} // namespace

CaptureFile::CaptureFile(const std::string &path) : m_path(path), m_fd(openNew(path))
{
    if (m_fd < 0)
        throw std::runtime_error("cannot make the capture " + path + ": " + std::strerror(errno) +
                                 (errno == EEXIST ? " (choose another name or remove it)" : ""));
    m_pending = std::string(CaptureVersionLine) + "\n";
}

CaptureFile::~CaptureFile()
{
    flush();
    ::close(m_fd);
}

void CaptureFile::add(CaptureRecord::Kind kind, std::uint64_t micros, std::string_view text)
{
    m_lastMicros = micros;
    if (!recording())
        return;
    appendCaptureLine(m_pending, kind, micros, text);
    if (m_pending.size() > MaxPending)
        flush();
}

void CaptureFile::addComment(const std::string &text)
{
    if (recording())
        m_pending += "# " + text + "\n";
}

bool CaptureFile::flush()
{
    std::size_t done = 0;
    while (recording() && done < m_pending.size()) {
        const ssize_t n = ::write(m_fd, m_pending.data() + done, m_pending.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            // Only whole lines stay: a cut line would make the rest unreadable.
            const std::size_t lastLf = done == 0 ? std::string::npos : m_pending.rfind('\n', done - 1);
            const std::size_t whole = lastLf == std::string::npos ? 0 : lastLf + 1;
            if (::ftruncate(m_fd, static_cast<off_t>(m_written + whole)) == 0)
                ::lseek(m_fd, 0, SEEK_END);
            m_written += whole;
            stopRecording(error, m_lastMicros);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (recording())
        m_written += done;
    m_pending.clear();
    return recording();
}

void CaptureFile::stopRecording(int error, std::uint64_t atMicros)
{
    m_failure = std::strerror(error);
    // The truncation may have freed room for the line that says why the capture stops here.
    std::string end;
    appendCaptureLine(end, CaptureRecord::Kind::End, atMicros, "recording stopped: " + m_failure);
    if (::write(m_fd, end.data(), end.size()) == static_cast<ssize_t>(end.size()))
        m_written += end.size();
    else if (::ftruncate(m_fd, static_cast<off_t>(m_written)) == 0)
        ::lseek(m_fd, 0, SEEK_END);
}

} // namespace compass_sim
