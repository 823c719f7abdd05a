#pragma once
#include "tools/capture_format.h"

#include <cstdint>
#include <string>

namespace compass_sim {

// A capture being written. Records gather in memory and go to the file on
// flush(), in whole lines. When the file refuses them (disk full, a size
// limit) recording stops for good: the file keeps its whole lines, and an end
// line saying so if there is room for it.
class CaptureFile {
public:
    // Throws std::runtime_error when the file cannot be made; an existing
    // regular file is not overwritten.
    explicit CaptureFile(const std::string &path);
    ~CaptureFile();
    CaptureFile(const CaptureFile &) = delete;
    CaptureFile &operator=(const CaptureFile &) = delete;

    void add(CaptureRecord::Kind kind, std::uint64_t micros, std::string_view text = {});
    void addComment(const std::string &text);
    // Writes what has gathered; false once recording has stopped.
    bool flush();
    bool recording() const { return m_failure.empty(); }
    // Why recording stopped, empty while it goes on.
    const std::string &failure() const { return m_failure; }
    std::uint64_t bytesWritten() const { return m_written; }
    const std::string &path() const { return m_path; }

private:
    void stopRecording(int error, std::uint64_t atMicros);

    std::string m_path;
    int m_fd = -1;
    std::string m_pending;
    std::uint64_t m_written = 0;
    std::uint64_t m_lastMicros = 0;
    std::string m_failure;
};

} // namespace compass_sim
