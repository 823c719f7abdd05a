#pragma once
#include <functional>
#include <memory>

namespace platform {

// A repeating timer. It ticks while enabled with an interval above 0;
// an interval of 0 stops it, as does disabling it.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // A tick handler is never entered again while it runs.
    virtual void setTickHandler(std::function<void()> handler) = 0;

    bool isTicking() const { return isEnabled() && interval() > 0; }
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

} // namespace platform
