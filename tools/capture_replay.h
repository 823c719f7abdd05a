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
// chunk waits until the program has sent as many, so the program sees the
// module answer what it asked, however the speed moves its own pauses; the
// capture's clock stands meanwhile. A program that never sends them is not
// kept waiting past HoldSilence without a line: it takes a module silent for
// 1.8 s for gone. Chunks recorded while the program had its port closed were
// never delivered and are not played, nor are those the tap dropped.
//
// Every chunk is delivered whole: a program that reads late gets it late, and
// the result says how late. One that takes nothing for StallLimit while a
// chunk waits ends the replay, naming the chunk's line.
class CaptureReplay {
public:
    static constexpr std::chrono::milliseconds HoldSilence{1500};
    // How long the capture's "opened" waits for the program to open its port again.
    static constexpr std::chrono::milliseconds OpenPatience{2000};
    static constexpr std::chrono::milliseconds StallLimit{5000};
    using Received = std::function<void(std::uint64_t captureMicros, std::string_view bytes)>;

    CaptureReplay(CaptureReader &reader, PseudoTerminal &program, double speed, Received onReceived);

    struct Result {
        bool complete = false;    // played to the end record
        std::string fault;        // the capture's fault, or the chunk the program did not take
        std::uint64_t chunksPlayed = 0;
        // Chunks, or their rest, that found the program's port closed where the capture has it open.
        std::uint64_t chunksMissed = 0;
        // The latest any chunk began to go out after its time on the capture's clock, in real
        // time, and its line.
        std::chrono::microseconds mostBehind{0};
        std::size_t mostBehindLine = 0;
        std::vector<KeyDifference> differences;
    };
    // Ends early, with what was played so far, when `stop` becomes non-zero.
    Result run(const volatile std::sig_atomic_t &stop);

private:
    using Clock = std::chrono::steady_clock;

    std::uint64_t position() const;
    Clock::time_point dueAt(std::uint64_t micros) const;
    // Reads what the program sends for up to `ms`, or until it has room for
    // more when `forRoom`; false when the wait should end (a signal).
    bool listen(int ms, bool forRoom = false);
    // Waits until `done`, or until `giveUp` unless `forever`; the clock stands meanwhile.
    void hold(Clock::time_point giveUp, bool forever, const std::function<bool()> &done);
    // False when the replay cannot go on.
    bool play(const CaptureRecord &record);
    bool deliver(const CaptureRecord &record);

    CaptureReader &m_reader;
    PseudoTerminal &m_program;
    double m_speed;
    Received m_onReceived;
    const volatile std::sig_atomic_t *m_stop = nullptr;

    Clock::time_point m_anchorReal{};
    std::uint64_t m_anchorMicros = 0;
    bool m_started = false;
    bool m_holding = false;
    bool m_captureOpen = false;
    // When the program was last given a line feed, or opened its port.
    Clock::time_point m_lastLine{};
    std::uint64_t m_capturedBytes = 0;
    std::uint64_t m_sentBytes = 0;
    KeyReader m_capturedReader, m_sentReader;
    std::vector<SentKey> m_capturedKeys, m_sentKeys;
    Result m_result;
};

} // namespace compass_sim
