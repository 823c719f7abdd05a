#pragma once
#include <cstdint>
#include <sys/types.h>

namespace bench {

// User plus system time of a process and all its threads so far, in clock
// ticks, from /proc/PID/stat; -1 when the process is gone.
std::int64_t processTicks(pid_t pid);

// Ticks in one second, to turn them into a share of one core.
long ticksPerSecond();

// Nanoseconds the process's first thread has run, from /proc/PID/schedstat;
// -1 when it is gone. Fine enough for `cat`, which uses a tick or two a minute at 20 sentences a second.
std::int64_t mainThreadRunNs(pid_t pid);

} // namespace bench
