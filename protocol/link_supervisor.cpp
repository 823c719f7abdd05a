#include "protocol/link_supervisor.h"

#include "protocol/compass_reading.h"
#include "protocol/console_state.h"

#include <cstdlib>

namespace protocol {

LinkSupervisor::LinkSupervisor(platform::Platform &platform, ConsoleState &state, const platform::SerialPort &com)
    : m_clock(platform.clock), m_state(state), m_com(com), m_tmrCheckAlive(platform.timers.createTimer()),
      m_tmrAskCmp(platform.timers.createTimer())
{
    m_tmrCheckAlive->setTickHandler([this] { tmrCheckAlive_Timer(); });
    m_tmrAskCmp->setTickHandler([this] { tmrAskCmp_Timer(); });
}

void LinkSupervisor::start()
{
    // As long ago as a tick difference can say, whatever the tick count is now.
    m_lastDataTick = m_clock.tickCount() - 0x80000000u;
    m_tmrCheckAlive->setInterval(CheckInterval);
    m_tmrCheckAlive->setEnabled(true);
    m_tmrAskCmp->setInterval(PollInterval);
    m_tmrAskCmp->setEnabled(false);
}

void LinkSupervisor::signOfLife()
{
    m_lastDataTick = m_clock.tickCount();
}

std::uint32_t LinkSupervisor::silence() const
{
    return platform::ticksSince(m_clock.tickCount(), m_lastDataTick);
}

bool LinkSupervisor::silenceReachedLimit() const
{
    return silence() >= static_cast<std::uint32_t>(m_state.AliveTimeout);
}

std::int32_t LinkSupervisor::silenceLimitForRate(std::int16_t outputRate)
{
    if (outputRate < 0)
        return std::abs(static_cast<std::int32_t>(outputRate)) * SilencePerSecondPerSample;
    return SilenceLimit;
}

bool LinkSupervisor::format16() const
{
    return m_state.Settings.OutputFormat == SentenceForm::NoData;
}

void LinkSupervisor::tmrCheckAlive_Timer()
{
    if (silence() <= static_cast<std::uint32_t>(m_state.AliveTimeout)) {
        m_out.alive(true);
        if (m_state.DumpReceived && format16()) {
            m_tmrAskCmp->setEnabled(true);
            m_state.AliveTimeout = Format16SilenceLimit;
        } else {
            m_tmrAskCmp->setEnabled(false);
        }
    } else {
        m_out.alive(false);
        m_state.SettingsKnown = false;
        m_state.AliveTimeout = SilenceLimit;
        if (!m_state.CompassOwnsPort)
            m_tmrAskCmp->setEnabled(true);
    }
}

void LinkSupervisor::tmrAskCmp_Timer()
{
    if (m_com.isOpen() && !m_state.CompassOwnsPort) {
        m_out.readSettings();
        UpdateFormat16Notice();
    }
}

void LinkSupervisor::UpdateFormat16Notice()
{
    if (format16())
        m_state.AliveTimeout = Format16SilenceLimit;
    m_out.format16Notice(format16() && m_state.DumpReceived);
}

} // namespace protocol
