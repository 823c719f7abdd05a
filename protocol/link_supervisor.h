#pragma once
#include "platform/platform.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace protocol {

struct ConsoleState;

// Where the supervision shows what it finds. The window connects each outlet;
// one left alone shows nothing.
struct LinkOutlets {
    // The compass counts as connected (notice hidden, "Show Compass Data"
    // enabled) or not.
    std::function<void(bool alive)> alive = [](bool) {};
    // "NO DATA DISPLAY, FORMAT SET TO 16...".
    std::function<void(bool shown)> format16Notice = [](bool) {};
    // The poll: the settings read without a panel refresh.
    std::function<void()> readSettings = [] {};
};

// Whether the compass is still there. Any input is a sign of life; longer
// silence than the limit shows the compass as not connected and polls it for
// its settings every 5 seconds. A compass in output format 16 sends nothing
// but its answers to those polls, so it is polled while alive too, and
// allowed a longer silence.
class LinkSupervisor {
public:
    // Silence after which the compass counts as not connected.
    static constexpr std::int32_t SilenceLimit = 1800;
    // The same in output format 16, where a poll's answer is the only input.
    static constexpr std::int32_t Format16SilenceLimit = 7000;
    // A negative output rate is seconds per sample: this much silence for each.
    static constexpr std::int32_t SilencePerSecondPerSample = 1500;
    static constexpr int CheckInterval = 500;
    // Calibrations and the wizard stop the check; it comes back faster.
    static constexpr int CheckIntervalAfterPause = 250;
    static constexpr int PollInterval = 5000;

    // `com`: polls go out only while it is open.
    LinkSupervisor(platform::Platform &platform, ConsoleState &state, const platform::SerialPort &com);
    LinkSupervisor(const LinkSupervisor &) = delete;
    LinkSupervisor &operator=(const LinkSupervisor &) = delete;

    void setOutlets(LinkOutlets outlets) { m_out = std::move(outlets); }
    // Starts the check; no input has come yet, so the compass starts silent.
    void start();

    // Input from the compass, of any kind.
    void signOfLife();
    // The escape search refuses from the limit itself on; the check counts
    // the compass as silent only beyond it.
    bool silenceReachedLimit() const;
    // The silence limit the settings panel sets for the compass's output rate.
    static std::int32_t silenceLimitForRate(std::int16_t outputRate);

    // The check: alive or silent, and whether to poll.
    void tmrCheckAlive_Timer();
    // The poll.
    void tmrAskCmp_Timer();
    // Shows the format-16 notice when the last dump said format 16, whose
    // silence limit it then sets.
    void UpdateFormat16Notice();

    platform::Timer &tmrCheckAlive() { return *m_tmrCheckAlive; }
    platform::Timer &tmrAskCmp() { return *m_tmrAskCmp; }

private:
    std::uint32_t silence() const;
    bool format16() const;

    const platform::Clock &m_clock;
    ConsoleState &m_state;
    const platform::SerialPort &m_com;
    LinkOutlets m_out;
    std::unique_ptr<platform::Timer> m_tmrCheckAlive;
    std::unique_ptr<platform::Timer> m_tmrAskCmp;
    platform::Tick m_lastDataTick = 0;
};

} // namespace protocol
