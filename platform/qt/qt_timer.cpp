#include "platform/qt/qt_timer.h"

namespace platform::qt {

QtTimer::QtTimer()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
}

void QtTimer::setInterval(int ms)
{
    m_interval = ms < 0 ? 0 : ms;
    apply();
}

void QtTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    apply();
}

void QtTimer::apply()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

void QtTimer::fire()
{
    if (m_running || !m_handler)
        return;
    m_running = true;
    m_handler();
    m_running = false;
}

} // namespace platform::qt
