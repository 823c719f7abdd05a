#include "device/wait_until.h"

namespace device {

bool WaitUntil(platform::Platform &platform, const std::function<bool()> &done, int ms)
{
    const platform::Tick start = platform.clock.tickCount();
    for (;;) {
        platform.pump.processEvents();
        if (done())
            return true;
        const auto elapsed = static_cast<std::int64_t>(platform::ticksSince(platform.clock.tickCount(), start));
        if (elapsed >= ms)
            return false;
        platform.pump.waitForEvents(static_cast<int>(ms - elapsed));
    }
}

} // namespace device
