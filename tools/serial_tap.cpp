#include "tools/serial_tap.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace compass_sim {

namespace {
// A closed port shows as a hang-up on every poll, so its opening is looked for this often instead.
constexpr int ProgramOpenCheckMs = 20;
// A write to the file for each chunk would cost more than all the forwarding; a process killed
// outright loses at most this much of the capture.
constexpr std::uint64_t FlushEveryMicros = 100000;
} // namespace

SerialTap::SerialTap(int deviceFd, PseudoTerminal &program, CaptureFile &capture, bool stopWhenRecordingStops)
    : m_device(deviceFd), m_program(program), m_capture(capture), m_stopWhenRecordingStops(stopWhenRecordingStops)
{
}

std::uint64_t SerialTap::micros() const
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now() - m_start).count());
}

void SerialTap::record(CaptureRecord::Kind kind, std::string_view bytes)
{
    m_capture.add(kind, micros(), bytes);
}

SerialTap::State SerialTap::pump(int timeoutMs, const sigset_t *waitMask)
{
    checkProgramPort();
    pollfd fds[2] = {{m_device, POLLIN, 0}, {m_program.masterFd(), POLLIN, 0}};
    if (!m_programOpen)
        timeoutMs = std::min(timeoutMs, ProgramOpenCheckMs);
    const timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    if (::ppoll(fds, m_programOpen ? 2 : 1, &timeout, waitMask) > 0) {
        if (fds[0].revents)
            fromDevice(fds[0].revents);
        if (m_programOpen && fds[1].revents)
            fromProgram();
    }
    if (micros() >= m_flushedAt + FlushEveryMicros || m_deviceGone) {
        m_capture.flush();
        m_flushedAt = micros();
    }
    const bool recording = m_capture.recording();
    if (m_deviceGone)
        return State::DeviceGone;
    return !recording && m_stopWhenRecordingStops ? State::RecordingStopped : State::Running;
}

bool SerialTap::recordingJustStopped()
{
    if (m_capture.recording() || m_recordingReported)
        return false;
    m_recordingReported = true;
    return true;
}

void SerialTap::checkProgramPort()
{
    if (!m_programOpen && m_program.slaveOpen()) {
        m_programOpen = true;
        record(CaptureRecord::Kind::Opened);
    }
}

void SerialTap::fromDevice(short events)
{
    const ssize_t n = ::read(m_device, m_buffer, sizeof m_buffer);
    if (n > 0) {
        const std::string_view bytes(m_buffer, static_cast<std::size_t>(n));
        record(CaptureRecord::Kind::Module, bytes);
        m_counts.fromModule += bytes.size();
        countSentences(bytes);
        if (m_programOpen)
            m_counts.dropped += bytes.size() - m_program.write(bytes);
        return;
    }
    const bool nothingYet = n < 0 && (errno == EAGAIN || errno == EINTR);
    if (nothingYet && !(events & (POLLHUP | POLLERR)))
        return;
    m_deviceGone = true;
    m_deviceError = n == 0 || nothingYet ? "the device hung up" : std::strerror(errno);
}

void SerialTap::fromProgram()
{
    const ssize_t n = ::read(m_program.masterFd(), m_buffer, sizeof m_buffer);
    if (n > 0) {
        const std::string_view bytes(m_buffer, static_cast<std::size_t>(n));
        record(CaptureRecord::Kind::Program, bytes);
        m_counts.fromProgram += bytes.size();
        const ssize_t written = ::write(m_device, bytes.data(), bytes.size());
        m_counts.dropped += bytes.size() - static_cast<std::size_t>(std::max<ssize_t>(written, 0));
        return;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // The program closed its port: the master reads EIO until it opens it again.
    m_programOpen = false;
    record(CaptureRecord::Kind::Closed);
}

void SerialTap::countSentences(std::string_view bytes)
{
    for (const char c : bytes) {
        if (m_atLineStart)
            m_inDataLine = c == '$' || (c >= '0' && c <= '9');
        m_atLineStart = c == '\n';
        if (m_atLineStart && m_inDataLine)
            ++m_counts.sentences;
    }
}

void SerialTap::finish(const std::string &how)
{
    record(CaptureRecord::Kind::End, how);
    m_capture.flush();
}

} // namespace compass_sim
