#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace compass_sim {

// What the simulated module measures; scripts and tests move it.
struct Readings {
    double heading = 328.1, pitch = -0.4, roll = 1.2, temperature = 26.3, depth = 0.5;
    double magX = 180.5, magY = -22.0, magZ = 410.25, accX = -0.01, accY = 0.02, accZ = 1.0;
    double gyroX = 0.1, gyroY = -0.2;
    std::int32_t lifeCount = 0, spiErrors = 0;
};

// A compass module as it looks from its serial line: data sentences at the
// output rate, and an escape-key menu with key echoes, value prompts, the
// settings dump, the version line, factory space and calibrations.
//
// Data output pauses while the menu is active; the menu falls back to data
// after a completed command or after MenuIdleMs without a key.
class CompassSimulator {
public:
    static constexpr std::uint64_t MenuIdleMs = 5000;
    static constexpr std::uint64_t CalibrationReportMs = 500;

    using Sink = std::function<void(std::string)>;
    explicit CompassSimulator(Sink send);

    // Bytes the host wrote, at the simulator's current time.
    void receive(std::string_view bytes);
    // Lets time pass up to `ms`, sending what falls due.
    void advanceTo(std::uint64_t ms);
    // Lets time pass up to `ms` without sending what fell due (the line was down).
    void skipTo(std::uint64_t ms);
    // When the next data sentence or report is due.
    std::uint64_t nextDue() const;

    // Settings by their dump names; values as the dump prints them.
    const std::string &setting(const std::string &name) const;
    void setSetting(const std::string &name, const std::string &value);
    int outputFormat() const;
    int displayFields() const;
    // Sentences per second (the rate setting, or the override).
    double sentencesPerSecond() const;
    void overrideSentencesPerSecond(double perSecond) { m_rateOverride = perSecond; }
    int escapeCode() const { return m_escapeCode; }
    void setEscapeCode(int code) { m_escapeCode = code; }
    bool inFactorySpace() const { return m_factory; }
    bool inMenu() const { return m_mode != Mode::Data; }
    bool calibrating() const { return m_mode == Mode::Calibrating; }

    Readings &readings() { return m_readings; }
    // Temperature moves linearly from `from` towards `to` at `degPerSecond`.
    void setTemperatureRamp(double from, double to, double degPerSecond);
    void setAttitude(double pitch, double roll);
    // Degrees per second the heading turns (0 keeps it still).
    void setTurnRate(double degPerSecond) { m_turnRate = degPerSecond; }

    // Every byte received, with the time it came.
    struct Received {
        std::uint64_t at;
        char byte;
    };
    const std::vector<Received> &received() const { return m_received; }
    // Data sentence of the current form, as sent (for tests and benchmarks).
    std::string sentence() const;

private:
    enum class Mode { Data, AwaitKey, Value, FixedValue, AwaitBlank, Calibrating };

    void onByte(char c);
    void onKey(char key);
    void applyValue(char key, const std::string &value);
    void finishCommand();
    void send(std::string text) { m_send(std::move(text)); }
    void sendDump();
    void moveReadings(std::uint64_t toMs);
    std::uint64_t sentenceInterval() const;

    Sink m_send;
    std::map<std::string, std::string> m_settings;
    Readings m_readings;
    Mode m_mode = Mode::Data;
    char m_key = 0;
    std::string m_value;
    int m_escapeCode = 27;
    bool m_factory = false;
    std::uint64_t m_now = 0;
    std::uint64_t m_nextSentence = 0;
    std::uint64_t m_lastKeyAt = 0;
    std::uint64_t m_nextReport = 0;
    double m_rateOverride = 0;
    double m_turnRate = 0;
    double m_rampTo = 0, m_rampRate = 0;
    std::vector<Received> m_received;
};

} // namespace compass_sim
