#pragma once
#include "mag_check/heading_error.h"

#include <Eigen/Core>
#include <optional>
#include <span>

namespace mag_check {

// The points' best plane: through their mean, square to `normal`.
struct Plane {
    Eigen::Vector3d mean;
    Eigen::Vector3d normal;
    // Root mean square distance of the points from the plane.
    double thickness;
};
// None for fewer than three points.
std::optional<Plane> planeOf(std::span<const Eigen::Vector3d> points);

// What a turn in one plane tells: the ellipse the field draws in it. It cannot
// tell the offset across the plane, nor what iron does to the field across it.
struct LevelTurn {
    Plane plane;
    // The ellipse's centre (in the plane) and its semi-axes, longest first, with their directions.
    Eigen::Vector3d centre;
    Eigen::Vector2d radii;
    Eigen::Vector3d longAxis;
    Eigen::Vector3d shortAxis;
    // The part of the centre that turns a heading: its part in the plane, less
    // what the field itself puts there (the centre of a turn of a perfect module lies on the normal).
    Eigen::Vector3d offset;
    // The in-plane field's radius: of the circle with the ellipse's area.
    double circleRadius() const { return std::sqrt(radii.prod()); }
    double axisRatio() const { return radii(0) / radii(1); }
    // In units of circleRadius(), in the plane's axes longAxis and shortAxis.
    LevelIron iron;
    // Where a point of the plane lies on the circle after correction, from its middle.
    Eigen::Vector2d corrected(const Eigen::Vector3d &point) const;
};

// Least-squares fit of an ellipse to the points in `plane`; none when they
// are closer to another conic.
std::optional<LevelTurn> fitLevelTurn(std::span<const Eigen::Vector3d> points, const Plane &plane);

} // namespace mag_check
