#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace device {

// Received text cut into lines at CR LF. A compass that sends for a long time
// without CR LF cannot make the buffer grow without end: past the limit only
// the newest characters are kept.
class LineBuffer {
public:
    static constexpr std::size_t MaxLength = 4096;

    void append(const std::string &text);
    // The oldest complete line without its CR LF, removed from the buffer.
    std::optional<std::string> takeLine();
    // Keeps at most MaxLength characters of an unfinished line.
    void trim();
    void clear() { m_text.clear(); }

private:
    std::string m_text;
};

} // namespace device
