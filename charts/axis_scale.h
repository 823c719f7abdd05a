#pragma once
#include <vector>

namespace charts {

struct AxisRange {
    double minimum;
    double maximum;
};

// The vertical range a chart can draw for the range it was given: reversed
// bounds are swapped, equal bounds widened around their value, and bounds
// that are no finite number replaced by -1 to 1.
AxisRange drawableRange(double maximum, double minimum);

// Where a value falls in the range: 0 at the minimum, 1 at the maximum.
// Holds for ranges as wide as the whole double scale.
double rangeFraction(const AxisRange &range, double value);

// Round tick values (1, 2 or 5 times a power of ten apart) inside the range,
// about `wanted` of them.
std::vector<double> axisTicks(const AxisRange &range, int wanted);

} // namespace charts
