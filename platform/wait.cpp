#include "platform/wait.h"

namespace platform {

void Wait(Platform &platform, std::int32_t ms)
{
    const Tick start = platform.clock.tickCount();
    const std::int64_t limit = ms < 0 ? -1 : ms;
    for (;;) {
        platform.pump.processEvents();
        const std::int64_t elapsed = ticksSince(platform.clock.tickCount(), start);
        if (elapsed > limit)
            return;
        platform.pump.waitForEvents(static_cast<int>(limit - elapsed + 1));
    }
}

} // namespace platform
