#include "controls/dial_angles.h"

#include <algorithm>
#include <cmath>

namespace controls {

std::optional<double> compassAngle(double degrees)
{
    if (!std::isfinite(degrees))
        return std::nullopt;
    double angle = std::fmod(degrees, 360.0);
    if (angle < 0)
        angle += 360.0;
    // A tiny negative angle rounds up to 360 itself.
    return angle >= 360.0 ? 0.0 : angle;
}

std::optional<double> signedAngle(double degrees)
{
    const auto angle = compassAngle(degrees + 180.0);
    if (!angle)
        return std::nullopt;
    return *angle - 180.0;
}

std::optional<double> limitedPitch(double degrees)
{
    if (!std::isfinite(degrees))
        return std::nullopt;
    return std::clamp(degrees, -90.0, 90.0);
}

std::optional<int> wholeHeading(double degrees)
{
    const auto angle = compassAngle(degrees);
    if (!angle)
        return std::nullopt;
    return static_cast<int>(std::round(*angle)) % 360;
}

QString headingReadout(double degrees)
{
    const auto whole = wholeHeading(degrees);
    return whole ? QStringLiteral("%1").arg(*whole, 3, 10, QLatin1Char('0')) : QStringLiteral("---");
}

} // namespace controls
