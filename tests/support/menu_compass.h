#pragma once
#include "platform/sim/sim_platform.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// The far end of a simulated port that answers the escape-key menu like a
// compass: it echoes each key after ESC, prompts for values, toggles its
// factory space on "#" and can be told to stay silent or to say more.
class MenuCompass {
public:
    static constexpr int LatencyMs = 20;

    MenuCompass(platform::sim::SimPlatform &sim, platform::sim::SimSerialPort &port);

    // Keys that are never echoed.
    std::set<char> silentKeys;
    // What is said after the echo of a key, a turn each time it comes (the last
    // turn repeats; an empty one says nothing). "#" says "FACTORY " or "USER ".
    std::map<char, std::vector<std::string>> replies;
    // What the value prompt shows for a typed value, when not the value itself.
    std::map<std::string, std::string> promptShows;

    // A line with CR LF, `delayMs` from now.
    void say(const std::string &line, int delayMs = 0);
    // A tagged data sentence, now.
    void sendReading(float heading, float pitch, float roll, float temperature);

    // Keys received after ESC, blanks received outside the menu, values typed.
    const std::string &keys() const { return m_keys; }
    int spaces() const { return m_spaces; }
    const std::vector<std::string> &values() const { return m_values; }
    bool inFactorySpace() const { return m_factory; }
    void forget();

private:
    enum class State { Data, Key, Value, FixedValue };
    void onHostChar(char c);
    void onKey(char key);

    platform::sim::SimPlatform &m_sim;
    platform::sim::SimSerialPort &m_port;
    State m_state = State::Data;
    std::string m_typed;
    std::map<char, std::size_t> m_turn;
    std::string m_keys;
    int m_spaces = 0;
    std::vector<std::string> m_values;
    bool m_factory = false;
};
