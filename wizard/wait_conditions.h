#pragma once

namespace wizard {

// Temperatures and angles the wait steps hold the board to.
namespace WaitLimits {
constexpr float HeatedAt = 55.0f;
constexpr float CooledAt = 50.0f;
constexpr float ZMinimumTemperature = 40.0f;
constexpr float ZRoll = 90.0f;
} // namespace WaitLimits

// Pitch and roll within `threshold` degrees of level.
bool IsLevel(float pitch, float roll, float threshold);
// Pitch within `threshold` of level and roll within `threshold` of 90, either sign.
bool IsAt90Degrees(float pitch, float roll, float threshold);

// Heated once the board reached 55 degrees, then cooled once it came back to 50
// or less; both stay set until reset.
class HeatCycle {
public:
    void reset() { m_heated = m_cooled = false; }
    void sample(float temperature);
    bool heated() const { return m_heated; }
    bool cooled() const { return m_cooled; }

private:
    bool m_heated = false;
    bool m_cooled = false;
};

} // namespace wizard
