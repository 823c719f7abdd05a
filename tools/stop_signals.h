#pragma once
#include <csignal>

namespace compass_sim {

// SIGINT or SIGTERM once one has asked the tool to stop, 0 until then.
extern volatile std::sig_atomic_t g_stopSignal;

// Catches SIGINT and SIGTERM into g_stopSignal. A pipe whose reader left, or a
// file over its size limit, becomes a write error instead of the end of the tool.
void catchStopSignals();

// Blocks SIGINT and SIGTERM and returns the mask to wait with (ppoll), so that
// neither slips in between a look at g_stopSignal and the wait.
sigset_t stopSignalsOnlyWhileWaiting();

} // namespace compass_sim
