#include "bench/screen/queue_watch.h"

#include <algorithm>
#include <chrono>

namespace bench {

QueueWatch::QueueWatch(RawPty &pty) : m_pty(pty), m_thread([this] { run(); }) {}

QueueWatch::~QueueWatch()
{
    m_stop = true;
    m_thread.join();
}

void QueueWatch::run()
{
    while (!m_stop) {
        m_pty.drainReplies();
        m_most = std::max(m_most.load(), m_pty.queuedForReader());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

} // namespace bench
