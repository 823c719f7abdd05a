#pragma once
#include "platform/platform.h"

#include <QWidget>
#include <cstdint>
#include <memory>

class QFrame;
class QLabel;

namespace wizard {

// Measures one time span and shows it filling a bar; raises TimeElapsed once
// on the first tick after the span is over.
class Delayer : public QWidget {
    Q_OBJECT
public:
    static constexpr int TickMs = 100;

    explicit Delayer(platform::Platform &platform, QWidget *parent = nullptr);
    ~Delayer() override;

    // Stops the span; the bar keeps its width.
    void Reset();
    // Starts the span from now (again, when already running). Delay must be above 0.
    void Start();
    bool IsRunning() const { return m_running; }
    std::int32_t Delay() const { return m_delay; }
    void setDelay(std::int32_t ms) { m_delay = ms; }

    // The filled part of the bar, in pixels.
    int progressWidth() const;

signals:
    void TimeElapsed();

private:
    std::uint32_t elapsed() const;
    void redraw();
    void tmrAnim_Timer();

    platform::Platform &m_platform;
    std::unique_ptr<platform::Timer> m_tmrAnim;
    platform::Tick m_startTick = 0;
    std::int32_t m_delay = 0;
    bool m_running = false;
    QLabel *m_label1;
    QFrame *m_shpContainer;
    QWidget *m_shpTime;
};

} // namespace wizard
