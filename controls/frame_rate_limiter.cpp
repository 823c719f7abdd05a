#include "controls/frame_rate_limiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace controls {

namespace {
FrameRateLimiter::Clock steadyClock()
{
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    return [started] { return static_cast<std::int64_t>(started->elapsed()); };
}
} // namespace

FrameRateLimiter::FrameRateLimiter(int framesPerSecond, QObject *parent)
    : FrameRateLimiter(framesPerSecond, steadyClock(), parent)
{
}

FrameRateLimiter::FrameRateLimiter(int framesPerSecond, Clock clock, QObject *parent)
    : QObject(parent), m_intervalMs(1000 / std::max(1, framesPerSecond)), m_clock(std::move(clock))
{
}

bool FrameRateLimiter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::UpdateRequest || !watched->isWidgetType()
        || !static_cast<QWidget *>(watched)->isWindow())
        return false;
    auto found = m_windows.find(watched);
    if (found == m_windows.end()) {
        found = m_windows.insert(watched, {});
        connect(watched, &QObject::destroyed, this, [this, watched] { m_windows.remove(watched); });
    }
    WindowFrames &frames = *found;
    const std::int64_t now = m_clock();
    if (frames.requestHeld)
        return true;
    if (frames.seen && now - frames.lastFrame < m_intervalMs) {
        holdUntilDue(watched, frames, now);
        return true;
    }
    frames.seen = true;
    frames.lastFrame = now;
    return false;
}

void FrameRateLimiter::holdUntilDue(QObject *window, WindowFrames &frames, std::int64_t now)
{
    frames.requestHeld = true;
    const int due = static_cast<int>(m_intervalMs - (now - frames.lastFrame));
    QTimer::singleShot(std::max(1, due), window, [this, window] {
        const auto found = m_windows.find(window);
        if (found == m_windows.end())
            return;
        found->requestHeld = false;
        // Timers may fire a little early, and this request must pass: the
        // window's repaint manager sends no other while it is outstanding.
        found->lastFrame = m_clock() - m_intervalMs;
        QCoreApplication::postEvent(window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
}

} // namespace controls
