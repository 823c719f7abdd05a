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
    const auto deviceEvents = static_cast<short>(POLLIN | (m_toDevice.empty() ? 0 : POLLOUT));
    const auto programEvents = static_cast<short>(
        m_programOpen ? (m_toDevice.room() > 0 ? POLLIN : 0) | (m_toProgram.empty() ? 0 : POLLOUT) : 0);
    // An fd of -1 is passed over: the program's side is not watched while there is nothing to do there.
    pollfd fds[2] = {{m_device, deviceEvents, 0}, {programEvents ? m_program.masterFd() : -1, programEvents, 0}};
    if (!m_programOpen)
        timeoutMs = std::min(timeoutMs, ProgramOpenCheckMs);
    const timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    if (::ppoll(fds, 2, &timeout, waitMask) > 0) {
        if (fds[0].revents & POLLOUT)
            writeToDevice();
        if (fds[0].revents & ~POLLOUT)
            fromDevice(fds[0].revents);
        if (fds[1].revents & POLLOUT)
            m_toProgram.writeTo(m_program.masterFd());  // a closed port shows as a hang-up below
        if (fds[1].revents & ~POLLOUT)
            fromProgram(fds[1].revents);
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

void SerialTap::programClosed()
{
    // The master reads EIO until the program opens its port again.
    m_programOpen = false;
    m_toProgram.clear();
    record(CaptureRecord::Kind::Closed);
}

void SerialTap::deviceGone(std::string why)
{
    m_deviceGone = true;
    m_deviceError = std::move(why);
}

void SerialTap::fromDevice(short events)
{
    const ssize_t n = ::read(m_device, m_buffer, sizeof m_buffer);
    if (n > 0) {
        const std::string_view bytes(m_buffer, static_cast<std::size_t>(n));
        m_counts.fromModule += bytes.size();
        countSentences(bytes);
        if (!m_programOpen) {
            record(CaptureRecord::Kind::Module, bytes);
            return;
        }
        const std::size_t queued = m_toProgram.push(bytes);
        if (queued > 0)
            record(CaptureRecord::Kind::Module, bytes.substr(0, queued));
        if (queued < bytes.size()) {
            record(CaptureRecord::Kind::Dropped, bytes.substr(queued));
            m_counts.dropped += bytes.size() - queued;
        }
        m_toProgram.writeTo(m_program.masterFd());
        return;
    }
    const bool nothingYet = n < 0 && (errno == EAGAIN || errno == EINTR);
    if (nothingYet && !(events & (POLLHUP | POLLERR)))
        return;
    deviceGone(n == 0 || nothingYet ? "the device hung up" : std::strerror(errno));
}

void SerialTap::fromProgram(short events)
{
    if (!(events & POLLIN)) {
        if (events & (POLLHUP | POLLERR))
            programClosed();
        return;
    }
    const ssize_t n = ::read(m_program.masterFd(), m_buffer, std::min(sizeof m_buffer, m_toDevice.room()));
    if (n > 0) {
        const std::string_view bytes(m_buffer, static_cast<std::size_t>(n));
        record(CaptureRecord::Kind::Program, bytes);
        m_counts.fromProgram += bytes.size();
        m_toDevice.push(bytes);
        writeToDevice();
        return;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    programClosed();
}

void SerialTap::writeToDevice()
{
    if (!m_deviceGone && !m_toDevice.writeTo(m_device))
        deviceGone(std::strerror(errno));
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

std::string SerialTap::finish(std::string how)
{
    if (m_programOpen)
        m_toProgram.writeTo(m_program.masterFd());
    writeToDevice();
    if (!m_toProgram.empty())
        how += "; " + std::to_string(m_toProgram.size()) + " B from the module not yet taken by the program";
    if (!m_deviceGone && !m_toDevice.empty())
        how += "; " + std::to_string(m_toDevice.size()) + " B from the program not yet taken by the device";
    record(CaptureRecord::Kind::End, how);
    m_capture.flush();
    return how;
}

} // namespace compass_sim
