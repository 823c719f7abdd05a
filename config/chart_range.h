#pragma once
#include <cmath>

namespace config {

struct ChartRange {
    double min, max;
};

// A range a strip chart can show: both limits finite, the minimum below the maximum.
inline bool IsUsableChartRange(double minimum, double maximum)
{
    return std::isfinite(minimum) && std::isfinite(maximum) && minimum < maximum;
}

} // namespace config
