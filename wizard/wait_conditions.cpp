#include "wizard/wait_conditions.h"

#include <cmath>

namespace wizard {

bool IsLevel(float pitch, float roll, float threshold)
{
    return std::fabs(pitch) <= threshold && std::fabs(roll) <= threshold;
}

bool IsAt90Degrees(float pitch, float roll, float threshold)
{
    return std::fabs(pitch) <= threshold && std::fabs(std::fabs(roll) - WaitLimits::ZRoll) <= threshold;
}

void HeatCycle::sample(float temperature)
{
    if (temperature >= WaitLimits::HeatedAt)
        m_heated = true;
    if (m_heated && temperature <= WaitLimits::CooledAt)
        m_cooled = true;
}

} // namespace wizard
