#pragma once
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
    // Bytes a full buffer on the far side refused, as a line with no listener loses them.
    std::uint64_t dropped = 0;
};

// Forwards bytes unchanged between a serial device and the program's
// pseudo-terminal, and records every chunk, with its direction and the
// monotonic time it was read, to a capture. Bytes from the module while the
// program has its port closed are recorded but not delivered, as an adapter
// nobody listens to loses them.
class SerialTap {
public:
    enum class State { Running, DeviceGone, RecordingStopped };

    // The device must be open, non-blocking; the program's pty should leave its slave to the program.
    SerialTap(int deviceFd, PseudoTerminal &program, CaptureFile &capture, bool stopWhenRecordingStops);

    // Waits up to `timeoutMs` for bytes either way (a signal outside `waitMask`
    // ends the wait early), then moves and records what came.
    State pump(int timeoutMs, const sigset_t *waitMask = nullptr);
    // The last record: how the tap ended. Writes out what is left.
    void finish(const std::string &how);

    const TapCounts &counts() const { return m_counts; }
    bool programOpen() const { return m_programOpen; }
    // What the device's last read said, once it has gone.
    const std::string &deviceError() const { return m_deviceError; }
    // True once, on the pump where recording stopped.
    bool recordingJustStopped();
    std::uint64_t micros() const;

private:
    void fromDevice(short events);
    void fromProgram();
    void checkProgramPort();
    void record(CaptureRecord::Kind kind, std::string_view bytes = {});
    void countSentences(std::string_view bytes);

    int m_device;
    PseudoTerminal &m_program;
    CaptureFile &m_capture;
    bool m_stopWhenRecordingStops;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
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
