#include "scripted_compass.h"

#include <QString>

namespace {
constexpr char ESC = 27;
}

ScriptedCompass::ScriptedCompass(platform::sim::SimPlatform &sim, platform::sim::SimSerialPort &port)
    : m_sim(sim), m_port(port)
{
    m_port.setPeer([this](std::string_view bytes) {
        for (char c : bytes)
            onHostChar(c);
    });
}

void ScriptedCompass::say(const std::string &line, int delayMs)
{
    m_port.deliver(line + "\r\n", m_sim.now() + static_cast<platform::sim::VirtualMs>(delayMs));
}

void ScriptedCompass::sendReading(float heading, float pitch, float roll, float temperature)
{
    const QString line = QStringLiteral("$C%1P%2R%3T%4*00")
                             .arg(double(heading), 0, 'f', 1)
                             .arg(double(pitch), 0, 'f', 1)
                             .arg(double(roll), 0, 'f', 1)
                             .arg(double(temperature), 0, 'f', 1);
    say(line.toStdString(), 0);
}

void ScriptedCompass::sendText(const std::string &text)
{
    m_port.deliver(text);
}

void ScriptedCompass::onHostChar(char c)
{
    if (c == ESC) {
        m_afterEsc = true;
        return;
    }
    if (!m_afterEsc) {
        if (c == ' ')
            ++m_spaces;
        return;
    }
    m_afterEsc = false;
    m_keys += c;
    if (silentKeys.count(c))
        return;
    say(std::string("CMD:") + c, LatencyMs);
    if (c == '#') {
        m_factory = !m_factory;
        // Leaving the factory space is answered too, so a sender can tell
        // that the toggle went the wrong way.
        say(m_factory ? "FACTORY " : "USER ", LatencyMs + 5);
    }
}
