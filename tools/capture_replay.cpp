#include "tools/capture_replay.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace compass_sim {

namespace {
// While the program's port is closed its master hangs up on every poll: look again this often.
constexpr int ClosedPortCheckMs = 10;

std::string seconds(std::uint64_t micros)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f s", static_cast<double>(micros) / 1e6);
    return text;
}
} // namespace

CaptureReplay::CaptureReplay(CaptureReader &reader, PseudoTerminal &program, double speed, Received onReceived)
    : m_reader(reader), m_program(program), m_speed(speed), m_onReceived(std::move(onReceived))
{
}

std::uint64_t CaptureReplay::position() const
{
    if (!m_started || m_holding)
        return m_anchorMicros;
    const auto real = std::chrono::duration<double, std::micro>(Clock::now() - m_anchorReal).count();
    return m_anchorMicros + static_cast<std::uint64_t>(real * m_speed);
}

CaptureReplay::Clock::time_point CaptureReplay::dueAt(std::uint64_t micros) const
{
    const double ahead = micros > m_anchorMicros ? static_cast<double>(micros - m_anchorMicros) / m_speed : 0.0;
    return m_anchorReal + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::micro>(ahead));
}

bool CaptureReplay::listen(int ms, bool forRoom)
{
    if (*m_stop)
        return false;
    if (!m_program.slaveOpen()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, ClosedPortCheckMs)));
        return !*m_stop;
    }
    pollfd p{m_program.masterFd(), static_cast<short>(POLLIN | (forRoom ? POLLOUT : 0)), 0};
    if (::poll(&p, 1, ms) <= 0 || !(p.revents & POLLIN))
        return !*m_stop;
    char buf[4096];
    const ssize_t n = ::read(m_program.masterFd(), buf, sizeof buf);
    if (n > 0) {
        const std::string_view bytes(buf, static_cast<std::size_t>(n));
        m_sentBytes += bytes.size();
        m_sentReader.feed(bytes, position(), m_sentKeys);
        if (m_onReceived)
            m_onReceived(position(), bytes);
    }
    return !*m_stop;
}

void CaptureReplay::hold(Clock::time_point giveUp, bool forever, const std::function<bool()> &done)
{
    if (done())
        return;
    m_anchorMicros = position();
    m_holding = true;
    while (!done() && (forever || Clock::now() < giveUp) && listen(ClosedPortCheckMs)) {
    }
    m_holding = false;
    m_anchorReal = Clock::now();
}

bool CaptureReplay::play(const CaptureRecord &record)
{
    using Kind = CaptureRecord::Kind;
    switch (record.kind) {
    case Kind::Program:
        m_capturedBytes += record.text.size();
        m_capturedReader.feed(record.text, record.micros, m_capturedKeys);
        return true;
    case Kind::Dropped:
        return true;
    case Kind::Opened:
        hold(Clock::now() + OpenPatience, !m_started, [this] { return m_program.slaveOpen(); });
        if (!m_started) {
            m_anchorReal = Clock::now();
            m_anchorMicros = record.micros;
            m_started = true;
        }
        m_captureOpen = true;
        m_lastLine = Clock::now();
        return true;
    case Kind::Closed:
        m_captureOpen = false;
        return true;
    case Kind::Module:
    case Kind::End:
        break;
    }
    // The program must have sent what it sent before this in the capture; what it never sends is let go.
    hold(m_lastLine + HoldSilence, false, [this] { return m_sentBytes >= m_capturedBytes; });
    m_sentBytes = std::max(m_sentBytes, m_capturedBytes);
    if (record.kind != Kind::Module || !m_captureOpen)
        return true;
    if (!m_program.slaveOpen()) {
        ++m_result.chunksMissed;
        return true;
    }
    return deliver(record);
}

bool CaptureReplay::deliver(const CaptureRecord &record)
{
    const auto start = Clock::now();
    const auto behind = std::chrono::duration_cast<std::chrono::microseconds>(start - dueAt(record.micros));
    if (behind > m_result.mostBehind) {
        m_result.mostBehind = behind;
        m_result.mostBehindLine = record.line;
    }
    std::string_view rest = record.text;
    for (auto lastTaken = start; !rest.empty();) {
        const ssize_t n = ::write(m_program.masterFd(), rest.data(), rest.size());
        if (n > 0) {
            rest.remove_prefix(static_cast<std::size_t>(n));
            lastTaken = Clock::now();
            continue;
        }
        if (!m_program.slaveOpen()) {
            ++m_result.chunksMissed;
            return true;
        }
        if (Clock::now() - lastTaken >= StallLimit) {
            m_result.fault = "line " + std::to_string(record.line) + ": the program took " +
                             (rest.size() == record.text.size() ? "none" : "no more") + " of this chunk (due at " +
                             seconds(record.micros) + ") for " + std::to_string(StallLimit.count() / 1000) + " s";
            return false;
        }
        if (!listen(100, true))
            return true;
    }
    if (record.text.find('\n') != std::string::npos)
        m_lastLine = Clock::now();
    ++m_result.chunksPlayed;
    return true;
}

CaptureReplay::Result CaptureReplay::run(const volatile std::sig_atomic_t &stop)
{
    m_stop = &stop;
    bool stalled = false;
    CaptureRecord record;
    while (!*m_stop && m_reader.next(record)) {
        // Before the program first opened its port nothing was delivered.
        if (!m_started && record.kind != CaptureRecord::Kind::Opened)
            continue;
        for (std::uint64_t now = position(); m_started && now < record.micros; now = position()) {
            const double realMs = static_cast<double>(record.micros - now) / m_speed / 1000.0;
            if (!listen(static_cast<int>(std::min(realMs, 50.0)) + 1))
                break;
        }
        if (*m_stop)
            break;
        if (!play(record)) {
            stalled = true;
            break;
        }
    }
    m_result.complete = m_reader.ended() && !*m_stop && !stalled;
    // A read cut off by the signal is no fault of the capture.
    if (!stalled)
        m_result.fault = *m_stop ? std::string() : m_reader.fault();
    m_result.differences = compareKeys(m_capturedKeys, m_sentKeys);
    return m_result;
}

} // namespace compass_sim
