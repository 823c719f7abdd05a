#pragma once
#include "tools/capture_format.h"
#include "tools/pseudo_terminal.h"
#include "tools/sent_keys.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace compass_sim {

// Plays the module's side of a capture onto the program's pseudo-terminal.
//
// The capture's clock starts where the program first opened its port, once the
// program opens this one, and runs `speed` times faster than recorded. Where
// the capture has the program send bytes before the module's next chunk, that
// chunk waits until the program has sent as many (at most HoldPatience), so
// the program sees the module answer what it asked, however the speed moves
// its own pauses. Chunks recorded while the program had its port closed were
// never delivered and are not played.
class CaptureReplay {
public:
    static constexpr std::chrono::milliseconds HoldPatience{2000};
    using Received = std::function<void(std::uint64_t captureMicros, std::string_view bytes)>;

    CaptureReplay(CaptureReader &reader, PseudoTerminal &program, double speed, Received onReceived);

    struct Result {
        bool complete = false;    // played to the end record
        std::string fault;        // the capture's fault otherwise
        std::uint64_t chunksPlayed = 0;
        std::vector<KeyDifference> differences;
    };
    // Ends early, with what was played so far, when `stop` becomes non-zero.
    Result run(const volatile std::sig_atomic_t &stop);

private:
    using Clock = std::chrono::steady_clock;

    std::uint64_t position() const;
    // Reads what the program sends for up to `ms`; false when the wait should end (a signal).
    bool listen(int ms);
    // Waits until `done` or, unless `forever`, the patience runs out; the clock stands meanwhile.
    void hold(std::uint64_t at, bool forever, const std::function<bool()> &done);
    void play(const CaptureRecord &record);

    CaptureReader &m_reader;
    PseudoTerminal &m_program;
    double m_speed;
    Received m_onReceived;
    const volatile std::sig_atomic_t *m_stop = nullptr;

    Clock::time_point m_anchorReal{};
    std::uint64_t m_anchorMicros = 0;
    bool m_started = false;
    bool m_captureOpen = false;
    std::uint64_t m_capturedBytes = 0;
    std::uint64_t m_sentBytes = 0;
    KeyReader m_capturedReader, m_sentReader;
    std::vector<SentKey> m_capturedKeys, m_sentKeys;
    std::uint64_t m_chunksPlayed = 0;
};

} // namespace compass_sim
