#pragma once

namespace platform {

class EventPump {
public:
    virtual ~EventPump() = default;
    // Runs every event that is pending now, then returns.
    virtual void processEvents() = 0;
    // Sleeps until an event arrives or at most maxMs pass, then runs what is pending.
    // Lets a wait idle instead of spinning.
    virtual void waitForEvents(int maxMs) = 0;
};

} // namespace platform
