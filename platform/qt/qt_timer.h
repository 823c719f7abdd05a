#pragma once
#include "platform/timer.h"

#include <QTimer>

namespace platform::qt {

class QtTimer : public Timer {
public:
    QtTimer();
    void setInterval(int ms) override;
    int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_enabled; }
    void setTickHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    void apply();
    void fire();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = false;
    bool m_running = false;
    std::function<void()> m_handler;
};

class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override { return std::make_unique<QtTimer>(); }
};

} // namespace platform::qt
