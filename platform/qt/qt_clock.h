#pragma once
#include "platform/clock.h"

namespace platform::qt {

class QtClock : public Clock {
public:
    Tick tickCount() const override;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace platform::qt
