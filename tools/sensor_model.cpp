#include "tools/sensor_model.h"

#include <cmath>
#include <numbers>

namespace compass_sim {

namespace {

constexpr double degToRad(double deg) { return deg * std::numbers::pi / 180.0; }

// Attitude along the tumble, and its rates per period, at `cycles` periods from the start.
struct Tumble {
    double heading, pitch, roll;
    double headingRate, pitchRate, rollRate;
};

Tumble tumbleAt(double cycles)
{
    // Turns of the heading, swings of pitch and of roll per period: no two
    // share a factor, so the field is met from every side before it repeats.
    constexpr double HeadingTurns = 7, PitchSwings = 3, RollSwings = 2;
    constexpr double PitchAmplitude = 80, RollAmplitude = 180;
    constexpr double tau = 2 * std::numbers::pi;
    return {360 * HeadingTurns * cycles,
            PitchAmplitude * std::sin(tau * PitchSwings * cycles),
            RollAmplitude * std::sin(tau * RollSwings * cycles),
            360 * HeadingTurns,
            PitchAmplitude * tau * PitchSwings * std::cos(tau * PitchSwings * cycles),
            RollAmplitude * tau * RollSwings * std::cos(tau * RollSwings * cycles)};
}

} // namespace

SensorModel::SensorModel() : m_basePitch(m_readings.pitch), m_baseRoll(m_readings.roll)
{
    derive();
}

void SensorModel::setAttitude(double pitch, double roll)
{
    m_basePitch = m_readings.pitch = pitch;
    m_baseRoll = m_readings.roll = roll;
    derive();
}

void SensorModel::setSway(double amplitudeDeg, double periodSeconds)
{
    m_swayAmplitude = std::fabs(amplitudeDeg);
    m_swayPeriod = periodSeconds > 0 ? periodSeconds : 0;
    m_basePitch = m_readings.pitch;
    m_baseRoll = m_readings.roll;
}

void SensorModel::setTemperatureRamp(double from, double to, double degPerSecond)
{
    m_readings.temperature = from;
    m_rampTo = to;
    m_rampRate = std::fabs(degPerSecond);
}

void SensorModel::setEarthField(double horizontal, double vertical)
{
    m_fieldH = horizontal;
    m_fieldV = vertical;
    derive();
}

void SensorModel::setEarthFieldDip(double magnitude, double inclination)
{
    setEarthField(magnitude * std::cos(degToRad(inclination)), magnitude * std::sin(degToRad(inclination)));
}

void SensorModel::setHardIron(double x, double y, double z)
{
    m_iron = {x, y, z};
    derive();
}

void SensorModel::setSoftIron(const std::array<double, 9> &matrix)
{
    m_softIron = matrix;
    derive();
}

void SensorModel::setMagneticNoise(double sigma)
{
    m_noiseSigma = std::fabs(sigma);
    derive();
}

void SensorModel::setTumble(double periodSeconds)
{
    m_tumblePeriod = periodSeconds > 0 ? periodSeconds : 0;
    if (m_tumblePeriod == 0) {
        setAttitude(m_readings.pitch, m_readings.roll);
        return;
    }
    poseTumble();
    derive();
}

void SensorModel::setGyroBias(double x, double y, double z)
{
    m_biasX = x;
    m_biasY = y;
    m_biasZ = z;
    derive();
}

void SensorModel::moveTo(std::uint64_t ms)
{
    if (ms > m_now) {
        const double seconds = static_cast<double>(ms - m_now) / 1000.0;
        m_now = ms;
        Readings &r = m_readings;
        r.heading = std::fmod(std::fmod(r.heading + m_turnRate * seconds, 360.0) + 360.0, 360.0);
        if (m_rampRate > 0) {
            const double step = m_rampRate * seconds;
            const double gap = m_rampTo - r.temperature;
            r.temperature = std::fabs(gap) <= step ? m_rampTo : r.temperature + std::copysign(step, gap);
        }
        if (m_tumblePeriod > 0) {
            poseTumble();
        } else if (m_swayAmplitude > 0 && m_swayPeriod > 0) {
            const double phase = 2 * std::numbers::pi * static_cast<double>(m_now) / 1000.0 / m_swayPeriod;
            r.pitch = m_basePitch + m_swayAmplitude * std::sin(phase);
            r.roll = m_baseRoll + m_swayAmplitude * std::cos(phase);
        }
    }
    derive();
}

void SensorModel::poseTumble()
{
    const Tumble t = tumbleAt(static_cast<double>(m_now) / 1000.0 / m_tumblePeriod);
    m_readings.heading = std::fmod(t.heading, 360.0);
    m_readings.pitch = t.pitch;
    m_readings.roll = t.roll;
}

void SensorModel::derive()
{
    if (!m_follow)
        return;
    Readings &r = m_readings;
    const double yaw = degToRad(r.heading), pitch = degToRad(r.pitch), roll = degToRad(r.roll);
    // Earth field (north, east, down) turned into the board's axes: heading, then pitch, then roll.
    const double x1 = m_fieldH * std::cos(yaw), y1 = -m_fieldH * std::sin(yaw), z1 = m_fieldV;
    const double x2 = x1 * std::cos(pitch) - z1 * std::sin(pitch), z2 = x1 * std::sin(pitch) + z1 * std::cos(pitch);
    const double y3 = y1 * std::cos(roll) + z2 * std::sin(roll), z3 = -y1 * std::sin(roll) + z2 * std::cos(roll);
    const double earth[3] = {x2, y3, z3};
    double *mag[3] = {&r.magX, &r.magY, &r.magZ};
    for (std::size_t row = 0; row < 3; ++row) {
        const double *soft = &m_softIron[row * 3];
        const double noise = m_noiseSigma > 0 ? m_noiseSigma * m_noise(m_noiseSource) : 0;
        *mag[row] = soft[0] * earth[0] + soft[1] * earth[1] + soft[2] * earth[2] + m_iron[row] + noise;
    }
    r.accX = -std::sin(pitch);
    r.accY = std::sin(roll) * std::cos(pitch);
    r.accZ = std::cos(roll) * std::cos(pitch);
    double pitchRate = 0, rollRate = 0, headingRate = m_turnRate;
    if (m_tumblePeriod > 0) {
        const Tumble t = tumbleAt(static_cast<double>(m_now) / 1000.0 / m_tumblePeriod);
        pitchRate = t.pitchRate / m_tumblePeriod;
        rollRate = t.rollRate / m_tumblePeriod;
        headingRate = t.headingRate / m_tumblePeriod;
    } else if (m_swayAmplitude > 0 && m_swayPeriod > 0) {
        const double omega = 2 * std::numbers::pi / m_swayPeriod;
        const double phase = omega * static_cast<double>(m_now) / 1000.0;
        pitchRate = m_swayAmplitude * omega * std::cos(phase);
        rollRate = -m_swayAmplitude * omega * std::sin(phase);
    }
    r.gyroX = rollRate + m_biasX;
    r.gyroY = pitchRate + m_biasY;
    r.gyroZ = headingRate + m_biasZ;
}

} // namespace compass_sim
