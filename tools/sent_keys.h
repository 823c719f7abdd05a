#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace compass_sim {

// A menu command as the program sends it: character 27 and the key after it,
// at the time the 27 went out.
struct SentKey {
    std::uint64_t micros = 0;
    char key = 0;
};

// Picks the commands out of bytes that may arrive in pieces.
class KeyReader {
public:
    void feed(std::string_view bytes, std::uint64_t micros, std::vector<SentKey> &keys);

private:
    bool m_afterEscape = false;
    std::uint64_t m_escapeMicros = 0;
};

struct KeyDifference {
    enum class Kind { Missing, Extra, Different };
    Kind kind;
    SentKey captured;  // Missing and Different
    SentKey sent;      // Extra and Different
};

// Where the program's commands differ from the capture's: a command missing,
// one more, or another key in its place. Both lists in the order sent.
std::vector<KeyDifference> compareKeys(const std::vector<SentKey> &captured, const std::vector<SentKey> &sent);

// One line for a person, times in seconds on the capture's clock.
std::string describe(const KeyDifference &difference);

} // namespace compass_sim
