#include "platform/qt/qt_clock.h"

#include <chrono>

namespace platform::qt {

Tick QtClock::tickCount() const
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<Tick>(ms);
}

} // namespace platform::qt
