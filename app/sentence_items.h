#pragma once
#include <string_view>

namespace app {

// The items of a line split at every ",", read one at a time without copying.
// An empty line has no items at all.
class CommaItems {
public:
    explicit CommaItems(std::string_view text) : m_rest(text), m_done(text.empty()) {}

    bool next(std::string_view &item)
    {
        if (m_done)
            return false;
        const std::size_t comma = m_rest.find(',');
        if (comma == std::string_view::npos) {
            item = m_rest;
            m_done = true;
        } else {
            item = m_rest.substr(0, comma);
            m_rest.remove_prefix(comma + 1);
        }
        return true;
    }

private:
    std::string_view m_rest;
    bool m_done;
};

// The items of a tagged sentence: as if a "," stood at every boundary between a
// run of letters and a run of other characters, and the result were split at
// every ",". Commas already in the text split too. Item 0 is what precedes the
// first tag, empty when the text starts with one.
class TaggedItems {
public:
    explicit TaggedItems(std::string_view text) : m_text(text), m_done(text.empty()) {}

    bool next(std::string_view &item)
    {
        if (m_done)
            return false;
        for (std::size_t k = m_start; k < m_text.size(); ++k) {
            if (!(k == m_start && m_splitAtStart) && boundaryBefore(k)) {
                item = m_text.substr(m_start, k - m_start);
                m_start = k;
                m_splitAtStart = true;
                return true;
            }
            if (m_text[k] == ',') {
                item = m_text.substr(m_start, k - m_start);
                m_start = k + 1;
                m_splitAtStart = false;
                return true;
            }
        }
        item = m_text.substr(m_start);
        m_done = true;
        return true;
    }

private:
    static bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

    bool boundaryBefore(std::size_t k) const
    {
        const bool letter = isLetter(m_text[k]);
        if (k == 0)
            return letter;
        return letter != isLetter(m_text[k - 1]);
    }

    std::string_view m_text;
    std::size_t m_start = 0;
    // The item at m_start began at an inserted boundary, which is not counted again.
    bool m_splitAtStart = false;
    bool m_done;
};

} // namespace app
