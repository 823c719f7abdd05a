#pragma once
#include "platform/sim/sim_platform.h"

#include <set>
#include <string>

// The far end of the simulated port: a compass that echoes each menu key
// after ESC, answers "#" by toggling its factory space and sends readings
// when told to.
class ScriptedCompass {
public:
    static constexpr int LatencyMs = 20;

    ScriptedCompass(platform::sim::SimPlatform &sim, platform::sim::SimSerialPort &port);

    // Keys that are never echoed.
    std::set<char> silentKeys;

    // One tagged data sentence, arriving now.
    void sendReading(float heading, float pitch, float roll, float temperature);
    // Raw text, arriving now.
    void sendText(const std::string &text);

    // Menu keys received after ESC, in order, and blanks received outside the menu.
    const std::string &keys() const { return m_keys; }
    int spaces() const { return m_spaces; }
    bool inFactorySpace() const { return m_factory; }
    void forget() { m_keys.clear(); m_spaces = 0; }

private:
    void onHostChar(char c);
    void say(const std::string &line, int delayMs);

    platform::sim::SimPlatform &m_sim;
    platform::sim::SimSerialPort &m_port;
    bool m_afterEsc = false;
    bool m_factory = false;
    std::string m_keys;
    int m_spaces = 0;
};
