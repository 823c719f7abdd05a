#pragma once
#include "platform/platform.h"

#include <functional>

namespace device {

// Lets events run until `done` holds (true) or at least `ms` milliseconds
// have passed (false). Replies arrive through the events it runs.
bool WaitUntil(platform::Platform &platform, const std::function<bool()> &done, int ms);

} // namespace device
