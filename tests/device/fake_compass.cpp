#include "fake_compass.h"

#include <algorithm>

namespace {
constexpr std::size_t FixedValueLength = 9;
const std::set<char> valueKeys = {'B', 'R', 'X', 'S', 'N', 'Q', 'A', 'M', 'D', '+', ']', 'l', '%'};
const std::set<char> fixedValueKeys = {'[', '}'};
} // namespace

FakeCompass::FakeCompass(platform::sim::SimPlatform &sim, platform::sim::SimSerialPort &port)
    : m_sim(sim), m_port(port)
{
    m_port.setPeer([this](std::string_view bytes) {
        for (char c : bytes)
            onHostChar(c);
    });
}

void FakeCompass::say(const std::string &line, int delayMs)
{
    m_port.deliver(line + "\r\n", m_sim.now() + static_cast<platform::sim::VirtualMs>(delayMs));
}

void FakeCompass::onHostChar(char c)
{
    switch (m_state) {
    case State::Data:
        if (c == ESC)
            m_state = State::Key;
        break;
    case State::Key:
        onKey(c);
        break;
    case State::Value:
        if (c == '\r') {
            m_values.push_back(m_typed);
            const auto shown = promptShows.find(m_typed);
            say("Value and Enter, or Esc " + (shown == promptShows.end() ? m_typed : shown->second),
                latencyMs);
            m_state = State::Data;
        } else {
            m_typed += c;
        }
        break;
    case State::FixedValue:
        m_typed += c;
        if (m_typed.size() == FixedValueLength) {
            m_values.push_back(m_typed);
            say(fixedValueReply, latencyMs);
            m_state = State::Data;
        }
        break;
    }
}

void FakeCompass::onKey(char key)
{
    m_state = State::Data;
    if (silentKeys.count(key))
        return;
    say(std::string("CMD:") + key, latencyMs);
    if (auto lines = replies.find(key); lines != replies.end() && !lines->second.empty()) {
        std::size_t &turn = m_replyTurn[key];
        const std::string &line = lines->second[std::min(turn, lines->second.size() - 1)];
        ++turn;
        if (!line.empty())
            say(line, latencyMs);
    }
    m_typed.clear();
    if (valueKeys.count(key))
        m_state = State::Value;
    else if (fixedValueKeys.count(key))
        m_state = State::FixedValue;
}
