#pragma once
#include <QDateTime>
#include <cstdint>

namespace platform {

// A millisecond tick count that wraps every 2^32 ms, like the system's.
using Tick = std::uint32_t;

// Milliseconds from `since` to `now`, right across the wrap.
constexpr std::uint32_t ticksSince(Tick now, Tick since) { return now - since; }

class Clock {
public:
    virtual ~Clock() = default;
    virtual Tick tickCount() const = 0;
    // Wall-clock time for log stamps.
    virtual QDateTime now() const = 0;
};

} // namespace platform
