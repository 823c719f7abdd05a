#include "protocol/menu_exchange_gate.h"

#include <utility>

namespace protocol {

MenuExchange::MenuExchange(MenuExchange &&other) noexcept : m_gate(std::exchange(other.m_gate, nullptr)) {}

MenuExchange &MenuExchange::operator=(MenuExchange &&other) noexcept
{
    if (this != &other) {
        end();
        m_gate = std::exchange(other.m_gate, nullptr);
    }
    return *this;
}

MenuExchange::~MenuExchange()
{
    end();
}

void MenuExchange::end()
{
    if (MenuExchangeGate *gate = std::exchange(m_gate, nullptr))
        gate->release();
}

MenuExchangeGate::MenuExchangeGate(platform::TimerFactory &timers) : m_timer(timers.createTimer())
{
    m_timer->setTickHandler([this] { runTasks(); });
}

MenuExchangeGate::~MenuExchangeGate() = default;

std::optional<MenuExchange> MenuExchangeGate::tryBegin()
{
    if (m_busy)
        return std::nullopt;
    m_busy = true;
    return MenuExchange(*this);
}

void MenuExchangeGate::whenFree(std::function<void()> task)
{
    m_tasks.push_back(std::move(task));
    if (!m_busy)
        scheduleTasks();
}

void MenuExchangeGate::release()
{
    m_busy = false;
    if (!m_tasks.empty())
        scheduleTasks();
}

void MenuExchangeGate::scheduleTasks()
{
    // The shortest interval a timer has; 0 would stop it.
    m_timer->setInterval(1);
    m_timer->setEnabled(true);
}

void MenuExchangeGate::runTasks()
{
    m_timer->setEnabled(false);
    auto tasks = std::exchange(m_tasks, {});
    for (auto &task : tasks) {
        if (m_busy) {
            // An earlier task took the gate; the rest wait for its end.
            m_tasks.push_back(std::move(task));
            continue;
        }
        task();
    }
}

} // namespace protocol
