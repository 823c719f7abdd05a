#pragma once
#include "tools/module_settings.h"
#include "tools/sensor_model.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace compass_sim {

// A compass module as it looks from its serial line: data sentences at the
// output rate, and an escape-key menu with key echoes, value prompts, the
// settings dump, the version line, factory space and calibrations.
//
// Time is whatever the owner says it is (advanceTo); nothing here reads a clock.
// Data output pauses while the menu is active. The menu falls back to data
// after a completed command, or after MenuIdleMs without a byte.
//
// The module has two settings spaces. Menu commands write to, and the dump
// prints, the space "#" has selected; data output always follows the user
// space. "F" copies the factory space into the user space.
class CompassSimulator {
public:
    static constexpr std::uint64_t MenuIdleMs = 5000;
    static constexpr std::uint64_t CalibrationReportMs = 500;
    // Far above any line speed; keeps a mistyped override from flooding.
    static constexpr double MaxSentencesPerSecond = 20000;

    using Sink = std::function<void(std::string)>;
    explicit CompassSimulator(Sink send);

    // Bytes the host wrote, at the simulator's current time.
    void receive(std::string_view bytes);
    // Lets time pass up to `ms`, sending what falls due.
    void advanceTo(std::uint64_t ms);
    // Lets time pass up to `ms` without sending what fell due (nobody was listening).
    void skipTo(std::uint64_t ms);
    // When the next data sentence, calibration report or menu time-out is due.
    std::uint64_t nextDue() const;
    std::uint64_t now() const { return m_now; }

    ModuleSettings &settings() { return m_user; }
    const ModuleSettings &settings() const { return m_user; }
    ModuleSettings &factorySettings() { return m_factory; }
    // Whether the module has a gyro; without one the dump has no KFILTER line.
    void setGyroFitted(bool fitted) { m_gyroFitted = fitted; }

    int outputFormat() const { return m_user.integer("OUTPUT_FORMAT"); }
    int displayFields() const { return m_user.integer("DISPLAY_FIELDS"); }
    // Sentences per second: the output rate setting, or the override when one is set.
    double sentencesPerSecond() const;
    void overrideSentencesPerSecond(double perSecond) { m_rateOverride = perSecond; }
    int escapeCode() const { return m_escapeCode; }
    void setEscapeCode(int code) { m_escapeCode = code; }
    bool inFactorySpace() const { return m_inFactory; }
    // A module that keeps its old value whenever this dump setting is sent.
    void refuseSetting(std::string dumpName) { m_refused.insert(std::move(dumpName)); }
    bool inMenu() const { return m_mode != Mode::Data; }
    bool calibrating() const { return m_mode == Mode::BridgeCalibration || m_mode == Mode::SoftIronCalibration; }
    // The line "V" prints: model, " V" and firmware version, ", SN#" and serial number.
    std::string versionLine() const;
    void setModelName(std::string model) { m_model = std::move(model); }

    // What the board measures, before the module's corrections. Scripts move it.
    SensorModel &sensor() { return m_sensor; }
    Readings &readings() { return m_sensor.readings(); }
    void setHeading(double degrees) { readings().heading = degrees; }
    void setAttitude(double pitch, double roll) { m_sensor.setAttitude(pitch, roll); }
    void setTemperature(double celsius) { setTemperatureRamp(celsius, celsius, 0); }
    // Temperature moves linearly from `from` towards `to` at `degPerSecond` and stays there.
    void setTemperatureRamp(double from, double to, double degPerSecond);
    void setDepth(double depth) { readings().depth = depth; }
    // Scripting a vector stops the model deriving the vectors from the attitude.
    void setMagnetic(double x, double y, double z);
    void setAcceleration(double x, double y, double z);
    void setGyro(double x, double y, double z);
    // Degrees per second the heading turns (0 keeps it still).
    void setTurnRate(double degPerSecond) { m_sensor.setTurnRate(degPerSecond); }

    // Every byte received, with the time it came.
    struct Received {
        std::uint64_t at;
        char byte;
    };
    const std::vector<Received> &received() const { return m_received; }
    // The data sentence the module would send now (empty in format 16).
    std::string sentence() const;

private:
    enum class Mode { Data, AwaitKey, Value, FixedText, AwaitBlank, BridgeCalibration, SoftIronCalibration };

    void onByte(char c);
    void onKey(char key);
    void onValueByte(char c);
    void onFixedTextByte(char c);
    void applyValue();
    void startCalibration(Mode mode);
    void openMenu();
    void finishCommand();
    void send(std::string text) { m_send(std::move(text)); }
    ModuleSettings &activeSettings() { return m_inFactory ? m_factory : m_user; }
    void moveTo(std::uint64_t ms);
    void sendDueSentence();
    double sentenceIntervalMs() const;

    Sink m_send;
    ModuleSettings m_user;
    ModuleSettings m_factory;
    SensorModel m_sensor;
    bool m_gyroFitted = true;
    std::string m_model = "ORVEX-SIM";
    Mode m_mode = Mode::Data;
    char m_key = 0;
    std::string m_value;
    int m_softIronPoints = 0;
    int m_escapeCode = 27;
    bool m_inFactory = false;
    std::uint64_t m_now = 0;
    double m_nextSentence = 0;
    std::uint64_t m_lastByteAt = 0;
    std::uint64_t m_nextReport = 0;
    double m_rateOverride = 0;
    std::vector<Received> m_received;
    std::set<std::string> m_refused;
};

} // namespace compass_sim
