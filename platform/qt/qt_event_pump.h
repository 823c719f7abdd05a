#pragma once
#include "platform/event_pump.h"

#include <QTimer>

namespace platform::qt {

class QtEventPump : public EventPump {
public:
    QtEventPump();
    void processEvents() override;
    void waitForEvents(int maxMs) override;

private:
    QTimer m_wake;
};

} // namespace platform::qt
