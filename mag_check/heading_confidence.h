#pragma once
#include "mag_check/ellipsoid_fit.h"
#include "mag_check/heading_error.h"

#include <optional>
#include <span>
#include <vector>

namespace mag_check {

// What a fitted ellipsoid says the module's calibration left.
ResidualIron ironOf(const Ellipsoid &fit);

// Degrees.
struct Range {
    double low = 0;
    double high = 0;
};

// The fit made again from the points resampled in blocks of neighbours (a
// bootstrap that keeps together what was measured together): how far the
// fit could be from the truth. A refit that fits no ellipsoid is none.
std::vector<std::optional<ResidualIron>> refitsOf(std::span<const Eigen::Vector3d> points, const FitFrame &frame);

// How far 95 % of the refits' corrections stay from the fit's, in units of the
// field: the largest difference in any of their numbers. Infinite when more
// than 5 % fit no ellipsoid.
double correctionSpread(const std::vector<std::optional<ResidualIron>> &refits, const ResidualIron &fitted);

// Where the true worst heading error lies, with 95 % confidence, given the
// fitted worst. The heading error each refit gives is compared with the fit's
// at every orientation of a grid (to first order in their difference). The
// largest difference that 95 % of the refits stay within bounds how far the true
// error can be from the fitted one anywhere, and so how far the true worst can be
// from the fitted worst.
Range worstHeadingErrorRange(const std::vector<std::optional<ResidualIron>> &refits, const ResidualIron &fitted,
                             double inclination, double worst);

} // namespace mag_check
