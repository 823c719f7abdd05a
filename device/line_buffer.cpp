#include "device/line_buffer.h"

namespace device {

void LineBuffer::append(const std::string &text)
{
    m_text += text;
}

std::optional<std::string> LineBuffer::takeLine()
{
    const auto end = m_text.find("\r\n");
    if (end == std::string::npos)
        return std::nullopt;
    std::string line = m_text.substr(0, end);
    m_text.erase(0, end + 2);
    return line;
}

void LineBuffer::trim()
{
    if (m_text.size() > MaxLength)
        m_text.erase(0, m_text.size() - MaxLength);
}

} // namespace device
