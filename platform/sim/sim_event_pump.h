#pragma once
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platform::sim {

// Virtual time in milliseconds since the simulation began; never wraps.
using VirtualMs = std::uint64_t;

class SimClock : public Clock {
public:
    // `firstTick` is the tick count at virtual time 0 (set it near 2^32 to test the wrap).
    explicit SimClock(Tick firstTick = 1000);
    Tick tickCount() const override;
    QDateTime now() const override;
    VirtualMs virtualNow() const { return m_now; }
    void advanceTo(VirtualMs t);
    void setWallClockStart(const QDateTime &start) { m_wallStart = start; }

private:
    Tick m_firstTick;
    VirtualMs m_now = 0;
    QDateTime m_wallStart;
};

// Something that produces events at virtual times: timers, port deliveries,
// a simulated device.
class EventSource {
public:
    virtual ~EventSource() = default;
    // The earliest time at which this source has something to do, if any.
    virtual std::optional<VirtualMs> nextDue() const = 0;
    // Runs what is due at `now` (called from processEvents).
    virtual void runDue(VirtualMs now) = 0;
};

class SimEventPump : public EventPump, public TimerFactory {
public:
    explicit SimEventPump(SimClock &clock);
    ~SimEventPump() override;

    // Runs what is due now; time does not move.
    void processEvents() override;
    // Moves time to the next due event, at most maxMs ahead, and runs it.
    void waitForEvents(int maxMs) override;

    std::unique_ptr<Timer> createTimer() override;

    void addSource(EventSource *source);
    void removeSource(EventSource *source);

    // Test driver: lets `ms` of virtual time pass with every event in it run.
    void advance(VirtualMs ms);
    // Test driver: advances until `done` holds or `limitMs` pass; true when it held.
    bool advanceUntil(const std::function<bool()> &done, VirtualMs limitMs);

    SimClock &clock() { return m_clock; }

private:
    SimClock &m_clock;
    std::vector<EventSource *> m_sources;
};

} // namespace platform::sim
