#pragma once
#include <array>
#include <cstdint>
#include <random>

namespace compass_sim {

// What the simulated board measures, before the module's own corrections.
struct Readings {
    double heading = 328.1, pitch = -0.4, roll = 1.2, temperature = 26.3, depth = 0.5;
    double magX = 0, magY = 0, magZ = 0, accX = 0, accY = 0, accZ = 1.0;
    double gyroX = 0, gyroY = 0, gyroZ = 0;
    std::int32_t lifeCount = 0, spiErrors = 0;
};

// The board on the bench: scripted heading, attitude and temperature, with
// optional slow motion. By default the magnetic, acceleration and gyro values
// follow the attitude (earth field plus the board's hard iron, gravity, turn
// rates plus gyro bias); switch that off to script them in readings() directly.
class SensorModel {
public:
    SensorModel();

    Readings &readings() { return m_readings; }
    const Readings &readings() const { return m_readings; }

    // Lets time pass to `ms` (never backwards) and recomputes what follows from it.
    void moveTo(std::uint64_t ms);

    void setAttitude(double pitch, double roll);
    // Heading turns at this many degrees per second (0 keeps it still).
    void setTurnRate(double degPerSecond) { m_turnRate = degPerSecond; }
    double turnRate() const { return m_turnRate; }
    // Pitch and roll swing around the set attitude by `amplitude` degrees.
    void setSway(double amplitudeDeg, double periodSeconds);
    // Temperature moves linearly from `from` towards `to` and stays there.
    void setTemperatureRamp(double from, double to, double degPerSecond);
    void setVectorsFollowAttitude(bool follow) { m_follow = follow; }

    // Earth field in the board's units: horizontal towards magnetic north, vertical downwards.
    void setEarthField(double horizontal, double vertical);
    // The same from its magnitude and inclination (degrees, positive where it points down).
    void setEarthFieldDip(double magnitude, double inclination);
    void setHardIron(double x, double y, double z);
    // Soft iron: the board sees this matrix (row by row) times the earth field.
    void setSoftIron(const std::array<double, 9> &matrix);
    // Gaussian noise of this standard deviation on each magnetic axis; the same every run.
    void setMagneticNoise(double sigma);
    // Turns the board through every orientation in `periodSeconds`, over and
    // over: heading, pitch and roll each swing at their own pace (0 stops it).
    void setTumble(double periodSeconds);
    void setGyroBias(double x, double y, double z);
    double horizontalField() const { return m_fieldH; }

private:
    void derive();
    // Heading, pitch and roll where the tumble is now.
    void poseTumble();

    Readings m_readings;
    std::uint64_t m_now = 0;
    double m_basePitch, m_baseRoll;
    double m_turnRate = 0;
    double m_swayAmplitude = 0, m_swayPeriod = 0;
    double m_rampTo = 0, m_rampRate = 0;
    bool m_follow = true;
    double m_fieldH = 180.0, m_fieldV = 150.0;
    std::array<double, 3> m_iron{12.5, -8.25, 3.0};
    std::array<double, 9> m_softIron{1, 0, 0, 0, 1, 0, 0, 0, 1};
    double m_noiseSigma = 0;
    std::mt19937 m_noiseSource{2010};
    std::normal_distribution<double> m_noise;
    double m_tumblePeriod = 0;
    double m_biasX = 0.1, m_biasY = -0.2, m_biasZ = 0.05;
};

} // namespace compass_sim
