#pragma once
#include <Eigen/Core>
#include <cmath>
#include <optional>
#include <span>

namespace mag_check {

// The points p with (p - centre)ᵀ M (p - centre) = 1 for a positive definite M,
// kept as its semi-axes.
struct Ellipsoid {
    Eigen::Vector3d centre;
    // Semi-axis lengths and their directions as the columns of `axes`.
    Eigen::Vector3d radii;
    Eigen::Matrix3d axes;
    // Takes a point of the ellipsoid, less the centre, onto the sphere of sphereRadius().
    Eigen::Matrix3d correction;

    // The radius of the sphere with the ellipsoid's volume.
    double sphereRadius() const { return std::cbrt(radii.prod()); }
    // Longest over shortest semi-axis: 1 for a sphere.
    double axisRatio() const { return radii.maxCoeff() / radii.minCoeff(); }
    Eigen::Vector3d corrected(const Eigen::Vector3d &point) const { return correction * (point - centre); }
};

// Points are fitted less their mean and over their spread, so that the ten
// coefficients are alike in size and the squares lose no precision to a large offset.
struct FitFrame {
    Eigen::Vector3d mean;
    double scale;
};
// None for fewer than nine points or points that do not spread.
std::optional<FitFrame> fitFrameOf(std::span<const Eigen::Vector3d> points);

// The sum over points of the outer products of their quadric terms (lower
// triangle): sums of parts of a set add up to the sum of the whole.
using QuadricScatter = Eigen::Matrix<double, 10, 10>;
QuadricScatter quadricScatter(std::span<const Eigen::Vector3d> points, const FitFrame &frame);
// The ellipsoid that comes closest to the points summed in `scatter`.
std::optional<Ellipsoid> ellipsoidFrom(const QuadricScatter &scatter, const FitFrame &frame);

// Least-squares fit of a general ellipsoid (nine parameters: centre, axes and
// their directions) to points that must be finite. None when the points do not
// determine one: fewer than nine, all on a plane or a line, or closer to some
// other quadric surface than to any ellipsoid.
std::optional<Ellipsoid> fitEllipsoid(std::span<const Eigen::Vector3d> points);

} // namespace mag_check
