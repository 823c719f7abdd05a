#pragma once
#include "platform/timer.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace protocol {

class MenuExchangeGate;

// Holds the compass's menu for one exchange (a panel command, a settings read,
// the escape search, the factory switch, a running calibration). The exchange
// ends when the token is destroyed or end() is called. Move-only.
class MenuExchange {
public:
    MenuExchange(MenuExchange &&other) noexcept;
    MenuExchange &operator=(MenuExchange &&other) noexcept;
    MenuExchange(const MenuExchange &) = delete;
    MenuExchange &operator=(const MenuExchange &) = delete;
    ~MenuExchange();

    void end();

private:
    friend class MenuExchangeGate;
    explicit MenuExchange(MenuExchangeGate &gate) : m_gate(&gate) {}
    MenuExchangeGate *m_gate;
};

// Lets one menu exchange at a time use the port. Everything runs on the UI
// thread and every wait runs the event loop, so a handler that finds the gate
// taken must not wait for it (the holder may be below it on the stack): it
// hands its work to whenFree() instead.
class MenuExchangeGate {
public:
    explicit MenuExchangeGate(platform::TimerFactory &timers);
    ~MenuExchangeGate();

    bool busy() const { return m_busy; }
    // The token of a new exchange, or nothing while another one runs.
    std::optional<MenuExchange> tryBegin();
    // Runs `task` from the event loop at the next chance after no exchange is
    // running (never from inside the caller). A task that finds the gate taken
    // again simply hands itself back.
    void whenFree(std::function<void()> task);

private:
    friend class MenuExchange;
    void release();
    void scheduleTasks();
    void runTasks();

    std::unique_ptr<platform::Timer> m_timer;
    bool m_busy = false;
    std::vector<std::function<void()>> m_tasks;
};

} // namespace protocol
