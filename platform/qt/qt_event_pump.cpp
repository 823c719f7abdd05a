#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace platform::qt {

QtEventPump::QtEventPump()
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(int maxMs)
{
    // Block until the next event, with a timer to bound the sleep.
    if (maxMs <= 0) {
        processEvents();
        return;
    }
    m_wake.start(maxMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    m_wake.stop();
}

} // namespace platform::qt
