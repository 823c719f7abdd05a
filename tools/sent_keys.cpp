#include "tools/sent_keys.h"

#include <algorithm>
#include <cstdio>

namespace compass_sim {

namespace {

constexpr char Esc = 27;
// How far ahead a difference looks for the two lists to agree again.
constexpr std::size_t Lookahead = 8;

std::string keyName(char key)
{
    if (key == '&')
        return "settings request (ESC &)";
    const auto c = static_cast<unsigned char>(key);
    char text[32];
    if (c > ' ' && c < 127)
        std::snprintf(text, sizeof text, "key ESC '%c'", key);
    else
        std::snprintf(text, sizeof text, "key ESC <%d>", c);
    return text;
}

std::string at(std::uint64_t micros)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(micros) / 1e6);
    return text;
}

} // namespace

void KeyReader::feed(std::string_view bytes, std::uint64_t micros, std::vector<SentKey> &keys)
{
    for (const char c : bytes) {
        if (m_afterEscape) {
            keys.push_back({m_escapeMicros, c});
            m_afterEscape = false;
        } else if (c == Esc) {
            m_afterEscape = true;
            m_escapeMicros = micros;
        }
    }
}

std::vector<KeyDifference> compareKeys(const std::vector<SentKey> &captured, const std::vector<SentKey> &sent)
{
    using Kind = KeyDifference::Kind;
    std::vector<KeyDifference> out;
    std::size_t c = 0, s = 0;
    while (c < captured.size() && s < sent.size()) {
        if (captured[c].key == sent[s].key) {
            ++c, ++s;
            continue;
        }
        // The nearest point where both agree again: what lies before it on one side only is missing or
        // extra. With none near, the two heads are taken as one key sent in place of another.
        std::size_t skipC = 1, skipS = 1;
        bool found = false;
        for (std::size_t total = 1; total < 2 * Lookahead && !found; ++total)
            for (std::size_t a = 0; a <= total && !found; ++a) {
                const std::size_t b = total - a;
                found = a < Lookahead && b < Lookahead && c + a < captured.size() && s + b < sent.size() &&
                        captured[c + a].key == sent[s + b].key;
                if (found)
                    skipC = a, skipS = b;
            }
        for (std::size_t i = 0; i < std::max(skipC, skipS); ++i) {
            if (i < skipC && i < skipS)
                out.push_back({Kind::Different, captured[c + i], sent[s + i]});
            else if (i < skipC)
                out.push_back({Kind::Missing, captured[c + i], {}});
            else
                out.push_back({Kind::Extra, {}, sent[s + i]});
        }
        c += skipC;
        s += skipS;
    }
    for (; c < captured.size(); ++c)
        out.push_back({Kind::Missing, captured[c], {}});
    for (; s < sent.size(); ++s)
        out.push_back({Kind::Extra, {}, sent[s]});
    return out;
}

std::string describe(const KeyDifference &d)
{
    switch (d.kind) {
    case KeyDifference::Kind::Missing:
        return at(d.captured.micros) + ": missing " + keyName(d.captured.key) +
               ": the capture has the program send it, the program did not";
    case KeyDifference::Kind::Extra:
        return at(d.sent.micros) + ": extra " + keyName(d.sent.key) + ": the program sent it, the capture has none";
    case KeyDifference::Kind::Different:
        break;
    }
    return at(d.sent.micros) + ": different key: the program sent " + keyName(d.sent.key) + " where the capture has " +
           keyName(d.captured.key) + " (" + at(d.captured.micros) + ")";
}

} // namespace compass_sim
