#pragma once
#include "platform/sim/sim_platform.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// The key that opens the compass's menu.
constexpr char ESC = 27;

// The far end of a simulated port that answers the escape-key menu like a
// compass: it echoes each key after ESC, prompts for values and can be told
// to stay silent or to add reply lines.
class FakeCompass {
public:
    FakeCompass(platform::sim::SimPlatform &sim, platform::sim::SimSerialPort &port);

    // Keys that are never echoed.
    std::set<char> silentKeys;
    // Lines sent after the echo of a key, in turn for each time it comes (the
    // last one repeats; an empty one sends nothing).
    std::map<char, std::vector<std::string>> replies;
    // What the value prompt shows for a typed value; empty means the value itself.
    std::map<std::string, std::string> promptShows;
    // The line sent once a fixed-form value ("[", "}") is complete.
    std::string fixedValueReply = "OK";
    int latencyMs = 20;

    // Sends a line with CR LF after `delayMs`.
    void say(const std::string &line, int delayMs = 0);
    const std::vector<std::string> &valuesTyped() const { return m_values; }

private:
    enum class State { Data, Key, Value, FixedValue };
    void onHostChar(char c);
    void onKey(char key);

    platform::sim::SimPlatform &m_sim;
    platform::sim::SimSerialPort &m_port;
    State m_state = State::Data;
    std::string m_typed;
    std::map<char, std::size_t> m_replyTurn;
    std::vector<std::string> m_values;
};
