#include "tools/capture_replay.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace compass_sim {

namespace {
// While the program's port is closed its master hangs up on every poll: look again this often.
constexpr int ClosedPortCheckMs = 10;
} // namespace

CaptureReplay::CaptureReplay(CaptureReader &reader, PseudoTerminal &program, double speed, Received onReceived)
    : m_reader(reader), m_program(program), m_speed(speed), m_onReceived(std::move(onReceived))
{
}

std::uint64_t CaptureReplay::position() const
{
    if (!m_started)
        return m_anchorMicros;
    const auto real = std::chrono::duration<double, std::micro>(Clock::now() - m_anchorReal).count();
    return m_anchorMicros + static_cast<std::uint64_t>(real * m_speed);
}

bool CaptureReplay::listen(int ms)
{
    if (*m_stop)
        return false;
    pollfd p{m_program.masterFd(), POLLIN, 0};
    if (!m_program.slaveOpen()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, ClosedPortCheckMs)));
        return !*m_stop;
    }
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

void CaptureReplay::hold(std::uint64_t at, bool forever, const std::function<bool()> &done)
{
    if (done())
        return;
    const auto giveUp = Clock::now() + HoldPatience;
    while (!done() && (forever || Clock::now() < giveUp) && listen(ClosedPortCheckMs)) {
    }
    m_anchorReal = Clock::now();
    m_anchorMicros = at;
}

void CaptureReplay::play(const CaptureRecord &record)
{
    using Kind = CaptureRecord::Kind;
    switch (record.kind) {
    case Kind::Program:
        m_capturedBytes += record.text.size();
        m_capturedReader.feed(record.text, record.micros, m_capturedKeys);
        return;
    case Kind::Opened:
        hold(record.micros, !m_started, [this] { return m_program.slaveOpen(); });
        if (!m_started) {
            m_anchorReal = Clock::now();
            m_anchorMicros = record.micros;
            m_started = true;
        }
        m_captureOpen = true;
        return;
    case Kind::Closed:
        m_captureOpen = false;
        return;
    case Kind::Dropped:  // the program never got them
        return;
    case Kind::Module:
    case Kind::End:
        break;
    }
    // The program must have sent what it sent before this in the capture; what it never sends is let go.
    hold(record.micros, false, [this] { return m_sentBytes >= m_capturedBytes; });
    m_sentBytes = std::max(m_sentBytes, m_capturedBytes);
    if (record.kind == Kind::Module && m_captureOpen && m_program.slaveOpen()) {
        m_program.write(record.text);
        ++m_chunksPlayed;
    }
}

CaptureReplay::Result CaptureReplay::run(const volatile std::sig_atomic_t &stop)
{
    m_stop = &stop;
    Result result;
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
        play(record);
    }
    result.complete = m_reader.ended() && !*m_stop;
    result.fault = m_reader.fault();
    result.chunksPlayed = m_chunksPlayed;
    result.differences = compareKeys(m_capturedKeys, m_sentKeys);
    return result;
}

} // namespace compass_sim
