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

// Least-squares fit of a general ellipsoid (nine parameters: centre, axes and
// their directions) to points that must be finite. None when the points do not
// determine one: fewer than nine, all on a plane or a line, or closer to some
// other quadric surface than to any ellipsoid.
std::optional<Ellipsoid> fitEllipsoid(std::span<const Eigen::Vector3d> points);

} // namespace mag_check
