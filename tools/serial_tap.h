#pragma once
#include "tools/byte_queue.h"
#include "tools/capture_file.h"
#include "tools/pseudo_terminal.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <string>
#include <string_view>

namespace compass_sim {

struct TapCounts {
    std::uint64_t fromModule = 0;
    std::uint64_t fromProgram = 0;
    // Lines from the module that the program takes for data sentences ("$" or a digit first).
    std::uint64_t sentences = 0;
    // Bytes from the module that found the program's queue full; the capture has them as dropped.
    std::uint64_t dropped = 0;
};

// Forwards bytes unchanged between a serial device and the program's
// pseudo-terminal, and records every chunk, with its direction and the
// monotonic time it was read, to a capture.
//
// Each direction has a queue for a far side that reads late, written out as
// it takes them. The module cannot be told to wait, so its bytes are read
// as they come; only when the program has left a whole queue unread are they
// dropped, and recorded as such. The program's bytes are read only while the
// device's queue has room: a full line makes the program's writes wait, as a
// real port's do. Bytes from the module while the program has its port
// closed are recorded but not delivered, as an adapter nobody listens to
// loses them; those still queued when it closes are lost with it, as unread
// input is on any port.
class SerialTap {
public:
    enum class State { Running, DeviceGone, RecordingStopped };
    // Over ten seconds of a 921600-baud line.
    static constexpr std::size_t QueueBytes = 1 << 20;

    // The device must be open, non-blocking; the program's pty should leave its slave to the program.
    SerialTap(int deviceFd, PseudoTerminal &program, CaptureFile &capture, bool stopWhenRecordingStops);

    // Waits up to `timeoutMs` for bytes either way or room for them (a signal
    // outside `waitMask` ends the wait early), then moves and records what came.
    State pump(int timeoutMs, const sigset_t *waitMask = nullptr);
    // Writes what the far sides take at once, then the last record: how the tap
    // ended, with what was still waiting. Returns that text.
    std::string finish(std::string how);

    const TapCounts &counts() const { return m_counts; }
    std::size_t waitingForProgram() const { return m_toProgram.size(); }
    bool programOpen() const { return m_programOpen; }
    // What the device's last read or write said, once it has gone.
    const std::string &deviceError() const { return m_deviceError; }
    // True once, on the pump where recording stopped.
    bool recordingJustStopped();
    std::uint64_t micros() const;

private:
    void fromDevice(short events);
    void fromProgram(short events);
    void writeToDevice();
    void checkProgramPort();
    void programClosed();
    void deviceGone(std::string why);
    void record(CaptureRecord::Kind kind, std::string_view bytes = {});
    void countSentences(std::string_view bytes);

    int m_device;
    PseudoTerminal &m_program;
    CaptureFile &m_capture;
    bool m_stopWhenRecordingStops;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    ByteQueue m_toProgram{QueueBytes};
    ByteQueue m_toDevice{QueueBytes};
    bool m_programOpen = false;
    bool m_deviceGone = false;
    std::uint64_t m_flushedAt = 0;
    bool m_recordingReported = false;
    bool m_atLineStart = true;
    bool m_inDataLine = false;
    std::string m_deviceError;
    TapCounts m_counts;
    char m_buffer[1 << 16];
};

} // namespace compass_sim
