#pragma once
#include "platform/platform.h"

#include <cstdint>

namespace platform {

// Returns once more than `ms` milliseconds have passed, running pending
// events all the while (at least once, even for 0 ms).
void Wait(Platform &platform, std::int32_t ms);

} // namespace platform
