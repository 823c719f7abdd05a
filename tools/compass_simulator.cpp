#include "tools/compass_simulator.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace compass_sim {

namespace {

constexpr char Esc = 27;
constexpr char Cr = 13;

// The dump, in the order the module prints it.
const std::vector<std::pair<const char *, const char *>> &defaultSettings()
{
    static const std::vector<std::pair<const char *, const char *>> all = {
        {"FW_VERSION", "2.6"}, {"FW_DATE", "Nov 05 2010"}, {"SERIAL_NUMBER", "000012345"},
        {"OUTPUT_FORMAT", "1"}, {"DISPLAY_FIELDS", "15"}, {"SET-RESET_RATE", "20"}, {"DEVIATION", "0.0"},
        {"DECLINATION", "0.0"}, {"SOFTIRONCORRECTION", "0"}, {"BAUD_RATE", "3"}, {"OUTPUT_RATE", "10"},
        {"MAX_PSI", "100"}, {"AVERAGING", "5"}, {"AD_UPDATE_RATE", "3"}, {"HW_MOUNTING_POS", "1"},
        {"TEMP_OFFSET", "0.0"}, {"TEST_DATE", "15 Jan 26"}, {"DEPTH_OFFSET", "0.0"}, {"LIFESKIP", "8"},
        {"EULER", "4"}, {"ACC_X_SCALE", "1.002"}, {"ACC_Y_SCALE", "0.998"}, {"ACC_Z_SCALE", "1.001"},
        {"ACC_X_OFFSET", "0.004"}, {"ACC_Y_OFFSET", "-0.003"}, {"ACC_Z_OFFSET", "0.010"},
        {"MAG_X_SCALE", "1.05"}, {"MAG_Y_SCALE", "0.97"}, {"MAG_Z_SCALE", "1.01"}, {"TEMPERATURE_CAL", "25.0"},
        {"MAG_X_OFFSET", "12.5"}, {"MAG_X_SCALE_HT", "1.0"}, {"MAG_X_OFFSET_FACTOR", "0.0"},
        {"MAG_Y_OFFSET", "-8.25"}, {"MAG_Y_SCALE_HT", "1.0"}, {"MAG_Y_OFFSET_FACTOR", "0.0"},
        {"MAG_Z_OFFSET", "3.0"}, {"MAG_Z_SCALE_HT", "1.0"}, {"MAG_Z_OFFSET_FACTOR", "0.0"},
        {"MAG_X_BRIDGE_OFFSET", "101"}, {"MAG_Y_BRIDGE_OFFSET", "-97"}, {"MAG_Z_BRIDGE_OFFSET", "12"},
        {"TOTAL_GAUSS", "0.52"}, {"KFILTER", "0.25"}, {"A", "1.0"}, {"B", "0.0"}, {"C", "0.0"}, {"E", "1.0"},
        {"GYR_PITCH_QGYRO", "0.003"}, {"GYR_PITCH_QANGLE", "0.001"}, {"GYR_PITCH_RANGLE", "0.03"},
        {"GYR_ROLL_QGYRO", "0.003"}, {"GYR_ROLL_QANGLE", "0.001"}, {"GYR_ROLL_RANGLE", "0.03"},
        {"GYR_X_OFFSET", "0.0"}, {"GYR_Y_OFFSET", "0.0"}, {"GYR_Z_OFFSET", "0.0"},
    };
    return all;
}

// Which dump setting each value key writes.
const std::map<char, const char *> &valueKeys()
{
    static const std::map<char, const char *> keys = {
        {'B', "BAUD_RATE"}, {'R', "OUTPUT_RATE"}, {'X', "DISPLAY_FIELDS"}, {'S', "SET-RESET_RATE"},
        {'N', "DEVIATION"}, {'Q', "DECLINATION"}, {'A', "AVERAGING"}, {'M', "MAX_PSI"},
        {'D', "AD_UPDATE_RATE"}, {'$', "SOFTIRONCORRECTION"}, {'*', "OUTPUT_FORMAT"}, {'a', ""},
        {'E', "HW_MOUNTING_POS"}, {'@', ""}, {'+', "TEMP_OFFSET"}, {'e', "EULER"}, {'l', "LIFESKIP"},
        {'%', ""}, {']', ""},
    };
    return keys;
}

std::string number(double v, int decimals = 1)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string withChecksum(const std::string &body)
{
    unsigned char sum = 0;
    for (std::size_t i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    char buf[8];
    std::snprintf(buf, sizeof buf, "*%02X\r\n", sum);
    return body + buf;
}

// Tenths of a degree as the menu takes them, shown in degrees.
std::string fromTenths(const std::string &value)
{
    try {
        return number(std::stod(value) / 10.0);
    } catch (const std::exception &) {
        return "0.0";
    }
}

} // namespace

CompassSimulator::CompassSimulator(Sink send) : m_send(std::move(send))
{
    for (const auto &[name, value] : defaultSettings())
        m_settings[name] = value;
}

const std::string &CompassSimulator::setting(const std::string &name) const
{
    static const std::string none;
    const auto it = m_settings.find(name);
    return it == m_settings.end() ? none : it->second;
}

void CompassSimulator::setSetting(const std::string &name, const std::string &value)
{
    m_settings[name] = value;
}

int CompassSimulator::outputFormat() const
{
    return std::atoi(setting("OUTPUT_FORMAT").c_str());
}

int CompassSimulator::displayFields() const
{
    return std::atoi(setting("DISPLAY_FIELDS").c_str());
}

double CompassSimulator::sentencesPerSecond() const
{
    if (m_rateOverride > 0)
        return m_rateOverride;
    const int rate = std::atoi(setting("OUTPUT_RATE").c_str());
    // Positive: sentences a second; negative: seconds between sentences.
    if (rate > 0)
        return rate;
    if (rate < 0)
        return 1.0 / -rate;
    return 1.0;
}

std::uint64_t CompassSimulator::sentenceInterval() const
{
    return static_cast<std::uint64_t>(std::max(1.0, std::round(1000.0 / sentencesPerSecond())));
}

void CompassSimulator::setTemperatureRamp(double from, double to, double degPerSecond)
{
    m_readings.temperature = from;
    m_rampTo = to;
    m_rampRate = std::fabs(degPerSecond);
}

void CompassSimulator::setAttitude(double pitch, double roll)
{
    m_readings.pitch = pitch;
    m_readings.roll = roll;
}

std::uint64_t CompassSimulator::nextDue() const
{
    if (m_mode == Mode::Calibrating)
        return m_nextReport;
    if (m_mode != Mode::Data)
        return m_lastKeyAt + MenuIdleMs;
    return m_nextSentence;
}

void CompassSimulator::moveReadings(std::uint64_t toMs)
{
    const double seconds = static_cast<double>(toMs - m_now) / 1000.0;
    m_readings.heading = std::fmod(m_readings.heading + m_turnRate * seconds + 360.0, 360.0);
    if (m_rampRate > 0) {
        const double step = m_rampRate * seconds;
        const double gap = m_rampTo - m_readings.temperature;
        m_readings.temperature = std::fabs(gap) <= step ? m_rampTo : m_readings.temperature + std::copysign(step, gap);
    }
}

void CompassSimulator::skipTo(std::uint64_t ms)
{
    if (ms <= m_now)
        return;
    moveReadings(ms);
    m_now = ms;
    m_nextSentence = std::max(m_nextSentence, ms);
}

void CompassSimulator::advanceTo(std::uint64_t ms)
{
    // Every event handled here moves nextDue() past the time it fired at.
    for (std::uint64_t due = nextDue(); due <= ms; due = nextDue()) {
        if (due > m_now) {
            moveReadings(due);
            m_now = due;
        }
        if (m_mode == Mode::Calibrating) {
            send("Bridge offset\r\n");
            m_nextReport = m_now + CalibrationReportMs;
        } else if (m_mode != Mode::Data) {
            m_mode = Mode::Data;
            m_nextSentence = m_now;
        } else if (outputFormat() == 16) {
            m_nextSentence = m_now + 1000;
        } else {
            ++m_readings.lifeCount;
            send(sentence());
            m_nextSentence = m_now + sentenceInterval();
        }
    }
    if (ms > m_now) {
        moveReadings(ms);
        m_now = ms;
    }
}

std::string CompassSimulator::sentence() const
{
    const Readings &r = m_readings;
    const int fields = displayFields();
    const double mag = std::sqrt(r.magX * r.magX + r.magY * r.magY + r.magZ * r.magZ);
    const double acc = std::sqrt(r.accX * r.accX + r.accY * r.accY + r.accZ * r.accZ);
    const double gyro = std::hypot(r.gyroX, r.gyroY);
    switch (outputFormat()) {
    case 4:
        return withChecksum("$HCHDT," + number(r.heading) + ",T");
    case 2:
    case 8: {
        // Field-mask order; a clear bit still takes one (empty) item.
        const std::vector<std::vector<std::string>> items = {
            {number(r.heading)}, {number(r.pitch)}, {number(r.roll)}, {number(r.temperature)},
            {number(r.depth, 2)}, {number(mag, 2)}, {number(r.magX, 2), number(r.magY, 2), number(r.magZ, 2)},
            {number(acc, 3)}, {number(r.accX, 3), number(r.accY, 3), number(r.accZ, 3)}, {number(gyro, 2)},
            {number(r.gyroX, 2), number(r.gyroY, 2)}, {std::to_string(r.lifeCount)}, {std::to_string(r.spiErrors)}};
        int last = -1;
        for (int bit = 0; bit < 13; ++bit)
            if (fields & (1 << bit))
                last = bit;
        std::string line;
        for (int bit = 0; bit <= last; ++bit) {
            const bool on = fields & (1 << bit);
            const std::size_t count = on ? items[bit].size() : 1;
            for (std::size_t i = 0; i < count; ++i) {
                if (!line.empty() || bit > 0 || i > 0)
                    line += ',';
                if (on)
                    line += items[bit][i];
            }
        }
        return (outputFormat() == 2 ? "$OHPR," : "") + line + "\r\n";
    }
    default: {
        std::string line = "$C" + number(r.heading);
        const auto add = [&](int bit, const char *tag, const std::string &v) {
            if (fields & bit)
                line += tag + v;
        };
        add(2, "P", number(r.pitch));
        add(4, "R", number(r.roll));
        add(8, "T", number(r.temperature));
        add(16, "D", number(r.depth, 2));
        add(32, "M", number(mag, 2));
        add(64, "Mx", number(r.magX, 2));
        add(64, "My", number(r.magY, 2));
        add(64, "Mz", number(r.magZ, 2));
        add(128, "A", number(acc, 3));
        add(256, "Ax", number(r.accX, 3));
        add(256, "Ay", number(r.accY, 3));
        add(256, "Az", number(r.accZ, 3));
        add(512, "G", number(gyro, 2));
        add(1024, "Gx", number(r.gyroX, 2));
        add(1024, "Gy", number(r.gyroY, 2));
        add(2048, "L", std::to_string(r.lifeCount));
        add(4096, "S", std::to_string(r.spiErrors));
        return withChecksum(line);
    }
    }
}

void CompassSimulator::receive(std::string_view bytes)
{
    for (char c : bytes) {
        m_received.push_back({m_now, c});
        onByte(c);
    }
}

void CompassSimulator::onByte(char c)
{
    const bool escape = static_cast<unsigned char>(c) == m_escapeCode;
    switch (m_mode) {
    case Mode::Data:
        if (escape) {
            m_mode = Mode::AwaitKey;
            m_lastKeyAt = m_now;
            send("CMD:");
        }
        return;
    case Mode::AwaitKey:
        m_lastKeyAt = m_now;
        if (escape) {
            send("\r\nCMD:");
            return;
        }
        onKey(c);
        return;
    case Mode::Value:
        m_lastKeyAt = m_now;
        if (c == Esc) {
            send("\r\n");
            m_mode = Mode::AwaitKey;
            send("CMD:");
        } else if (c == Cr) {
            send("\r\n");
            applyValue(m_key, m_value);
        } else if (c != '\n') {
            m_value += c;
            send(std::string(1, c));
        }
        return;
    case Mode::FixedValue:
        m_lastKeyAt = m_now;
        m_value += c;
        send(std::string(1, c));
        if (m_value.size() == 9) {
            send("\r\n");
            setSetting(m_key == '[' ? "SERIAL_NUMBER" : "TEST_DATE", m_value);
            finishCommand();
        }
        return;
    case Mode::AwaitBlank:
    case Mode::Calibrating:
        if (c == ' ')
            finishCommand();
        return;
    }
}

void CompassSimulator::onKey(char key)
{
    m_key = key;
    m_value.clear();
    send(std::string(1, key) + "\r\n");
    if (valueKeys().count(key)) {
        m_mode = Mode::Value;
        send("Value and Enter, or Esc ");
        return;
    }
    switch (key) {
    case '[':
    case '}':
        m_mode = Mode::FixedValue;
        return;
    case 'C':
    case 'Z':
    case '(':
    case ')':
        m_mode = Mode::Calibrating;
        m_nextReport = m_now + CalibrationReportMs;
        return;
    case 'P':
    case 'G':
        m_mode = Mode::AwaitBlank;
        return;
    case 'T':
        send("Roll trim: " + number(-m_readings.roll) + "  Pitch trim: " + number(-m_readings.pitch) + "\r\n");
        m_mode = Mode::AwaitBlank;
        return;
    case '&':
        sendDump();
        m_mode = Mode::AwaitBlank;
        return;
    case 'V':
        send("ORVEX-SIM V" + setting("FW_VERSION") + ", SN#" + setting("SERIAL_NUMBER") + "\r\n");
        m_mode = Mode::AwaitBlank;
        return;
    case '#':
        m_factory = !m_factory;
        send(m_factory ? "FACTORY \r\n" : "USER \r\n");
        finishCommand();
        return;
    case 'F':
        for (const auto &[name, value] : defaultSettings())
            m_settings[name] = value;
        finishCommand();
        return;
    default:
        send("?\r\n");
        finishCommand();
        return;
    }
}

void CompassSimulator::applyValue(char key, const std::string &value)
{
    const char *name = valueKeys().at(key);
    if (key == '%') {
        const int code = std::atoi(value.c_str());
        if (code >= 0 && code < 256)
            m_escapeCode = code;
    } else if (key == 'N' || key == 'Q') {
        setSetting(name, fromTenths(value));
    } else if (key == '$' && value == "2") {
        // Soft-iron calibration: one blank per heading.
        m_mode = Mode::Calibrating;
        m_nextReport = m_now + CalibrationReportMs;
        return;
    } else if (*name) {
        setSetting(name, value);
    }
    finishCommand();
}

void CompassSimulator::sendDump()
{
    for (const auto &[name, ignored] : defaultSettings())
        send(std::string(name) + "=" + setting(name) + "\r\n");
}

void CompassSimulator::finishCommand()
{
    m_mode = Mode::Data;
    m_nextSentence = m_now + sentenceInterval();
}

} // namespace compass_sim
