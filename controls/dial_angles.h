#pragma once
#include <QString>
#include <optional>

namespace controls {

// The angle taken into [0, 360); none when it is not a finite number.
std::optional<double> compassAngle(double degrees);
// The angle taken into [-180, 180); none when it is not a finite number.
std::optional<double> signedAngle(double degrees);
// Pitch limited to [-90, 90]; none when it is not a finite number.
std::optional<double> limitedPitch(double degrees);
// The whole degrees a heading readout shows, in [0, 360); none when it is not a finite number.
std::optional<int> wholeHeading(double degrees);
// Three whole degrees as a heading readout shows them ("005", "328"), or
// "---" when there is no usable heading.
QString headingReadout(double degrees);

} // namespace controls
