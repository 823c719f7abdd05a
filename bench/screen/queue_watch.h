#pragma once
#include "bench/screen/raw_pty.h"

#include <atomic>
#include <thread>

namespace bench {

// Samples the program's input queue every 100 ms and keeps the most seen;
// drops what the program writes back, so that it never waits on us.
class QueueWatch {
public:
    explicit QueueWatch(RawPty &pty);
    ~QueueWatch();
    QueueWatch(const QueueWatch &) = delete;
    QueueWatch &operator=(const QueueWatch &) = delete;

    void restart() { m_most = 0; }
    int most() const { return m_most; }

private:
    void run();

    RawPty &m_pty;
    std::atomic<int> m_most{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace bench
