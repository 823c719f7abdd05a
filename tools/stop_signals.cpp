#include "tools/stop_signals.h"

namespace compass_sim {

volatile std::sig_atomic_t g_stopSignal = 0;

namespace {
void onSignal(int number) { g_stopSignal = number; }
} // namespace

void catchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

sigset_t stopSignalsOnlyWhileWaiting()
{
    sigset_t stop, waiting;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &stop, &waiting);
    sigdelset(&waiting, SIGINT);
    sigdelset(&waiting, SIGTERM);
    return waiting;
}

} // namespace compass_sim
