#include "menu_compass.h"

#include <QString>
#include <algorithm>

namespace {
constexpr char ESC = 27;
constexpr std::size_t FixedValueLength = 9;
const std::string ValueKeys = "BRXSNQAMD+]l%";
const std::string FixedValueKeys = "[}";
} // namespace

MenuCompass::MenuCompass(platform::sim::SimPlatform &sim, platform::sim::SimSerialPort &port)
    : m_sim(sim), m_port(port)
{
    m_port.setPeer([this](std::string_view bytes) {
        for (char c : bytes)
            onHostChar(c);
    });
}

void MenuCompass::say(const std::string &line, int delayMs)
{
    m_port.deliver(line + "\r\n", m_sim.now() + static_cast<platform::sim::VirtualMs>(delayMs));
}

void MenuCompass::sendReading(float heading, float pitch, float roll, float temperature)
{
    say(QStringLiteral("$C%1P%2R%3T%4*00")
            .arg(double(heading), 0, 'f', 1)
            .arg(double(pitch), 0, 'f', 1)
            .arg(double(roll), 0, 'f', 1)
            .arg(double(temperature), 0, 'f', 1)
            .toStdString());
}

void MenuCompass::forget()
{
    m_keys.clear();
    m_spaces = 0;
    m_values.clear();
}

void MenuCompass::onHostChar(char c)
{
    switch (m_state) {
    case State::Data:
        if (c == ESC)
            m_state = State::Key;
        else if (c == ' ')
            ++m_spaces;
        break;
    case State::Key:
        onKey(c);
        break;
    case State::Value:
        if (c != '\r') {
            m_typed += c;
            break;
        }
        m_values.push_back(m_typed);
        say("Value and Enter, or Esc " + (promptShows.count(m_typed) ? promptShows[m_typed] : m_typed), LatencyMs);
        m_state = State::Data;
        break;
    case State::FixedValue:
        m_typed += c;
        if (m_typed.size() == FixedValueLength) {
            m_values.push_back(m_typed);
            say("OK", LatencyMs);
            m_state = State::Data;
        }
        break;
    }
}

void MenuCompass::onKey(char key)
{
    m_keys += key;
    m_state = State::Data;
    if (silentKeys.count(key))
        return;
    if (key == '#')
        m_factory = !m_factory;
    say(std::string("CMD:") + key, LatencyMs);
    if (const auto lines = replies.find(key); lines != replies.end() && !lines->second.empty()) {
        std::size_t &turn = m_turn[key];
        const std::string &line = lines->second[std::min(turn++, lines->second.size() - 1)];
        if (!line.empty())
            say(line, LatencyMs);
    } else if (key == '#') {
        // Leaving the factory space is answered too, so a sender can tell the toggle went the wrong way.
        say(m_factory ? "FACTORY " : "USER ", LatencyMs);
    }
    m_typed.clear();
    if (ValueKeys.find(key) != std::string::npos)
        m_state = State::Value;
    else if (FixedValueKeys.find(key) != std::string::npos)
        m_state = State::FixedValue;
}
