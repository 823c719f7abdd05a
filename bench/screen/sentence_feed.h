#pragma once
#include "bench/screen/raw_pty.h"
#include "tools/sensor_model.h"

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace bench {

// Nanoseconds on the system-wide monotonic clock, the one the screen poller stamps with.
std::int64_t nowNs();

// Writes data sentences in the simulator's form (output format 1) to every
// pty it is given, at a set rate, on a thread of its own. Moving: a board
// tumbling through every orientation, as a module turned by hand reports it.
// Steady: every value held, the heading set by jumpTo, so that only the
// heading's label and instruments change on the screen.
class SentenceFeed {
public:
    // Heading, pitch, roll, magnetic field and acceleration, each with its axes.
    static constexpr int Fields = 1 | 2 | 4 | 32 | 64 | 128 | 256;

    explicit SentenceFeed(std::vector<RawPty *> ptys);
    ~SentenceFeed();
    SentenceFeed(const SentenceFeed &) = delete;
    SentenceFeed &operator=(const SentenceFeed &) = delete;

    void setRate(double perSecond);
    void setSteady(bool steady) { m_steady = steady; }
    // The next sentence carries `heading`; returns when it has been written,
    // with the time just before its write (0 when no sentence went out within `waitMs`).
    std::int64_t jumpTo(double heading, int waitMs = 2000);
    std::uint64_t sentencesWritten() const { return m_written; }
    // Sentences the line could not take in time and that were dropped to keep the rate.
    std::uint64_t sentencesSkipped() const { return m_skipped; }

private:
    void run();
    std::string nextSentence(std::int64_t sinceStartNs);

    std::vector<RawPty *> m_ptys;
    compass_sim::SensorModel m_moving;
    // Written by the feed's thread only: the heading of the steady sentences.
    double m_sentHeading = 90.0;
    std::atomic<double> m_rate{0};
    std::atomic<bool> m_steady{false};
    std::atomic<double> m_heading{90.0};
    std::atomic<bool> m_jumpPending{false};
    std::atomic<std::int64_t> m_jumpWritten{0};
    std::atomic<std::uint64_t> m_written{0};
    std::atomic<std::uint64_t> m_skipped{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace bench
