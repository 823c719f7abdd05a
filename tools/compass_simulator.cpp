#include "tools/compass_simulator.h"

#include "tools/sentence_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace compass_sim {

CompassSimulator::CompassSimulator(Sink send) : m_send(std::move(send)) {}

double CompassSimulator::sentencesPerSecond() const
{
    if (m_rateOverride > 0)
        return std::min(m_rateOverride, MaxSentencesPerSecond);
    // Positive: sentences a second; negative: seconds between sentences.
    const int rate = m_user.integer("OUTPUT_RATE");
    if (rate > 0)
        return rate;
    if (rate < 0)
        return 1.0 / -rate;
    return 1.0;
}

double CompassSimulator::sentenceIntervalMs() const
{
    return 1000.0 / sentencesPerSecond();
}

std::string CompassSimulator::versionLine() const
{
    return m_model + " V" + m_user.get("FW_VERSION") + ", SN#" + m_user.get("SERIAL_NUMBER");
}

void CompassSimulator::setTemperatureRamp(double from, double to, double degPerSecond)
{
    m_sensor.setTemperatureRamp(from, to, degPerSecond);
}

void CompassSimulator::setMagnetic(double x, double y, double z)
{
    m_sensor.setVectorsFollowAttitude(false);
    readings().magX = x;
    readings().magY = y;
    readings().magZ = z;
}

void CompassSimulator::setAcceleration(double x, double y, double z)
{
    m_sensor.setVectorsFollowAttitude(false);
    readings().accX = x;
    readings().accY = y;
    readings().accZ = z;
}

void CompassSimulator::setGyro(double x, double y, double z)
{
    m_sensor.setVectorsFollowAttitude(false);
    readings().gyroX = x;
    readings().gyroY = y;
    readings().gyroZ = z;
}

std::string CompassSimulator::sentence() const
{
    return formatSentence(corrected(m_sensor.readings(), m_user), outputFormat(), displayFields());
}

std::uint64_t CompassSimulator::nextDue() const
{
    switch (m_mode) {
    case Mode::Data:
        return static_cast<std::uint64_t>(std::ceil(m_nextSentence));
    case Mode::BridgeCalibration:
        return m_nextReport;
    case Mode::SoftIronCalibration:
        // The operator takes as long as it takes to aim the board.
        return std::numeric_limits<std::uint64_t>::max();
    default:
        return m_lastByteAt + MenuIdleMs;
    }
}

void CompassSimulator::moveTo(std::uint64_t ms)
{
    if (ms <= m_now)
        return;
    m_sensor.moveTo(ms);
    m_now = ms;
}

void CompassSimulator::skipTo(std::uint64_t ms)
{
    moveTo(ms);
    m_nextSentence = std::max(m_nextSentence, static_cast<double>(m_now));
}

void CompassSimulator::advanceTo(std::uint64_t ms)
{
    // Each pass moves nextDue() past the time it ran at.
    for (std::uint64_t due = nextDue(); due <= ms; due = nextDue()) {
        moveTo(due);
        switch (m_mode) {
        case Mode::Data:
            sendDueSentence();
            break;
        case Mode::BridgeCalibration:
            send("Bridge offset\r\n");
            m_nextReport = m_now + CalibrationReportMs;
            break;
        default:
            // Nobody typed for a while: back to data, as after a command.
            finishCommand();
            break;
        }
    }
    moveTo(ms);
}

void CompassSimulator::sendDueSentence()
{
    // Sentences keep their own cadence, so a fractional interval averages out.
    m_nextSentence += sentenceIntervalMs();
    if (outputFormat() == 16)
        return;
    ++readings().lifeCount;
    const std::string text = sentence();
    if (!text.empty())
        send(text);
}

void CompassSimulator::finishCommand()
{
    m_mode = Mode::Data;
    m_nextSentence = static_cast<double>(m_now) + sentenceIntervalMs();
}

} // namespace compass_sim
