#pragma once
#include <limits>

// Values a sensor line can turn into after a bad conversion.
inline constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double Inf = std::numeric_limits<double>::infinity();
