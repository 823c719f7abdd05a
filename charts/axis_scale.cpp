#include "charts/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace charts {

namespace {

// Half the width, which stays finite for any two finite bounds.
double halfSpan(const AxisRange &range)
{
    return range.maximum / 2 - range.minimum / 2;
}

double niceStep(double rough)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double normalised = rough / magnitude;
    const double nice = normalised < 1.5 ? 1 : normalised < 3.5 ? 2 : normalised < 7.5 ? 5 : 10;
    return nice * magnitude;
}

} // namespace

AxisRange drawableRange(double maximum, double minimum)
{
    if (!std::isfinite(maximum) || !std::isfinite(minimum))
        return {-1, 1};
    if (minimum > maximum)
        std::swap(minimum, maximum);
    if (minimum == maximum) {
        const double margin = std::max(1.0, std::abs(maximum) / 10);
        return {minimum - margin, maximum + margin};
    }
    return {minimum, maximum};
}

double rangeFraction(const AxisRange &range, double value)
{
    return (value / 2 - range.minimum / 2) / halfSpan(range);
}

std::vector<double> axisTicks(const AxisRange &range, int wanted)
{
    std::vector<double> ticks;
    const double half = halfSpan(range);
    if (!(half > 0) || !std::isfinite(half) || wanted < 1)
        return ticks;
    const double step = niceStep(half / wanted * 2);
    if (!(step > 0) || !std::isfinite(step))
        return ticks;
    const double first = std::ceil(range.minimum / step);
    for (int i = 0; i <= 4 * wanted + 2; ++i) {
        double tick = (first + i) * step;
        if (tick > range.maximum)
            break;
        // A tick that should be zero comes out a rounding error away from it.
        if (std::abs(tick) < step * 1e-9)
            tick = 0;
        ticks.push_back(tick);
    }
    return ticks;
}

} // namespace charts
