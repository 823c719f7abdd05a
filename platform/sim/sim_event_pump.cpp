#include "platform/sim/sim_event_pump.h"

#include <algorithm>

namespace platform::sim {

SimClock::SimClock(Tick firstTick)
    : m_firstTick(firstTick), m_wallStart(QDateTime(QDate(2026, 1, 15), QTime(9, 30, 0)))
{
}

Tick SimClock::tickCount() const
{
    return static_cast<Tick>(m_firstTick + m_now);
}

QDateTime SimClock::now() const
{
    return m_wallStart.addMSecs(static_cast<qint64>(m_now));
}

void SimClock::advanceTo(VirtualMs t)
{
    m_now = std::max(m_now, t);
}

namespace {

class SimTimer : public Timer, public EventSource {
public:
    SimTimer(SimEventPump &pump) : m_pump(pump) { m_pump.addSource(this); }
    ~SimTimer() override { m_pump.removeSource(this); }

    void setInterval(int ms) override
    {
        m_interval = std::max(ms, 0);
        reschedule();
    }
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override
    {
        if (enabled == m_enabled)
            return;
        m_enabled = enabled;
        reschedule();
    }
    bool isEnabled() const override { return m_enabled; }
    void setTickHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

    std::optional<VirtualMs> nextDue() const override
    {
        if (!isTicking() || m_running)
            return std::nullopt;
        return m_due;
    }

    void runDue(VirtualMs now) override
    {
        if (!isTicking() || m_running || now < m_due)
            return;
        m_due += static_cast<VirtualMs>(m_interval);
        if (m_due <= now)
            m_due = now + static_cast<VirtualMs>(m_interval);
        if (!m_handler)
            return;
        m_running = true;
        m_handler();
        m_running = false;
    }

private:
    void reschedule() { m_due = m_pump.clock().virtualNow() + static_cast<VirtualMs>(m_interval); }

    SimEventPump &m_pump;
    int m_interval = 0;
    bool m_enabled = false;
    bool m_running = false;
    VirtualMs m_due = 0;
    std::function<void()> m_handler;
};

} // namespace

SimEventPump::SimEventPump(SimClock &clock) : m_clock(clock) {}

SimEventPump::~SimEventPump() = default;

std::unique_ptr<Timer> SimEventPump::createTimer()
{
    return std::make_unique<SimTimer>(*this);
}

void SimEventPump::addSource(EventSource *source)
{
    m_sources.push_back(source);
}

void SimEventPump::removeSource(EventSource *source)
{
    std::replace(m_sources.begin(), m_sources.end(), source, static_cast<EventSource *>(nullptr));
}

void SimEventPump::processEvents()
{
    const VirtualMs now = m_clock.virtualNow();
    // Handlers may add or remove sources; index instead of iterating.
    for (std::size_t i = 0; i < m_sources.size(); ++i) {
        EventSource *source = m_sources[i];
        if (!source)
            continue;
        const auto due = source->nextDue();
        if (due && *due <= now)
            source->runDue(now);
    }
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), nullptr), m_sources.end());
}

void SimEventPump::waitForEvents(int maxMs)
{
    const VirtualMs now = m_clock.virtualNow();
    VirtualMs target = now + static_cast<VirtualMs>(std::max(maxMs, 0));
    for (EventSource *source : m_sources) {
        if (!source)
            continue;
        if (const auto due = source->nextDue())
            target = std::min(target, std::max(*due, now));
    }
    m_clock.advanceTo(target);
    processEvents();
}

void SimEventPump::advance(VirtualMs ms)
{
    const VirtualMs end = m_clock.virtualNow() + ms;
    processEvents();
    while (m_clock.virtualNow() < end)
        waitForEvents(static_cast<int>(std::min<VirtualMs>(end - m_clock.virtualNow(), 1u << 30)));
}

bool SimEventPump::advanceUntil(const std::function<bool()> &done, VirtualMs limitMs)
{
    const VirtualMs end = m_clock.virtualNow() + limitMs;
    processEvents();
    while (!done()) {
        if (m_clock.virtualNow() >= end)
            return false;
        waitForEvents(1);
    }
    return true;
}

} // namespace platform::sim
