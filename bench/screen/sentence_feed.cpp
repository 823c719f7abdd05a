#include "bench/screen/sentence_feed.h"

#include "tools/sentence_writer.h"

#include <chrono>
#include <ctime>

namespace bench {

std::int64_t nowNs()
{
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

namespace {

constexpr std::int64_t NsPerMs = 1'000'000;

void sleepUntilNs(std::int64_t when)
{
    timespec t{static_cast<time_t>(when / 1'000'000'000), static_cast<long>(when % 1'000'000'000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) != 0) {
    }
}

} // namespace

SentenceFeed::SentenceFeed(std::vector<RawPty *> ptys) : m_ptys(std::move(ptys))
{
    m_moving.setTumble(60);
    m_moving.setMagneticNoise(0.5);
    m_thread = std::thread([this] { run(); });
}

SentenceFeed::~SentenceFeed()
{
    m_stop = true;
    m_thread.join();
}

void SentenceFeed::setRate(double perSecond)
{
    m_rate = perSecond;
}

std::int64_t SentenceFeed::jumpTo(double heading, int waitMs)
{
    m_jumpWritten = 0;
    m_heading = heading;
    m_jumpPending = true;
    const std::int64_t giveUp = nowNs() + waitMs * NsPerMs;
    while (m_jumpPending && nowNs() < giveUp)
        sleepUntilNs(nowNs() + NsPerMs / 10);
    return m_jumpPending.exchange(false) ? 0 : m_jumpWritten.load();
}

std::string SentenceFeed::nextSentence(std::int64_t sinceStartNs)
{
    compass_sim::Readings readings;
    if (m_steady) {
        readings.heading = m_sentHeading;
        readings.magX = 180.0;
        readings.magY = 10.0;
        readings.magZ = 150.0;
    } else {
        m_moving.moveTo(static_cast<std::uint64_t>(sinceStartNs / NsPerMs));
        readings = m_moving.readings();
    }
    return compass_sim::formatSentence(readings, 1, Fields);
}

void SentenceFeed::run()
{
    const std::int64_t start = nowNs();
    std::int64_t next = start;
    while (!m_stop) {
        const double rate = m_rate;
        if (rate <= 0) {
            next = nowNs() + 10 * NsPerMs;
            sleepUntilNs(next);
            continue;
        }
        const auto interval = static_cast<std::int64_t>(1e9 / rate);
        next += interval;
        const std::int64_t now = nowNs();
        // A line that fell more than 100 ms behind drops what it could not send, as a module does.
        if (now - next > 100 * NsPerMs) {
            m_skipped += static_cast<std::uint64_t>((now - next) / interval);
            next = now;
        }
        sleepUntilNs(next);
        // The heading is set before the jump is asked for, so a jump seen here carries it.
        const bool jump = m_jumpPending;
        if (jump)
            m_sentHeading = m_heading;
        const std::string sentence = nextSentence(nowNs() - start);
        const std::int64_t writtenAt = nowNs();
        for (RawPty *pty : m_ptys)
            pty->write(sentence);
        ++m_written;
        if (jump) {
            m_jumpWritten = writtenAt;
            m_jumpPending = false;
        }
    }
}

} // namespace bench
