#pragma once
#include <string>
#include <string_view>

namespace app {

// The terminal's text: after any append that leaves more than 2000
// characters, only the last 1000 remain.
class TerminalText {
public:
    static constexpr std::size_t Limit = 2000;
    static constexpr std::size_t Keep = 1000;

    void append(std::string_view more)
    {
        m_text.append(more);
        if (m_text.size() > Limit)
            m_text.erase(0, m_text.size() - Keep);
    }
    void clear() { m_text.clear(); }
    const std::string &text() const { return m_text; }

private:
    std::string m_text;
};

} // namespace app
