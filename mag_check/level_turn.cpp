#include "mag_check/level_turn.h"

#include <Eigen/Eigenvalues>
#include <Eigen/Geometry>
#include <cmath>

namespace mag_check {

std::optional<Plane> planeOf(std::span<const Eigen::Vector3d> points)
{
    if (points.size() < 3)
        return std::nullopt;
    const double n = static_cast<double>(points.size());
    Eigen::Vector3d mean = Eigen::Vector3d::Zero();
    for (const Eigen::Vector3d &p : points)
        mean += p;
    mean /= n;
    Eigen::Matrix3d spread = Eigen::Matrix3d::Zero();
    for (const Eigen::Vector3d &p : points)
        spread += (p - mean) * (p - mean).transpose();
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> axes(spread / n);
    if (axes.info() != Eigen::Success)
        return std::nullopt;
    return Plane{mean, axes.eigenvectors().col(0), std::sqrt(std::max(0.0, axes.eigenvalues()(0)))};
}

std::optional<LevelTurn> fitLevelTurn(std::span<const Eigen::Vector3d> points, const Plane &plane)
{
    if (points.size() < 6)
        return std::nullopt;
    // Axes in the plane: the board axis furthest from the normal, and the one square to both.
    Eigen::Index furthest = 0;
    plane.normal.cwiseAbs().minCoeff(&furthest);
    const Eigen::Vector3d across =
        (Eigen::Vector3d::Unit(furthest) - plane.normal(furthest) * plane.normal).normalized();
    const Eigen::Vector3d along = plane.normal.cross(across);

    double squares = 0;
    for (const Eigen::Vector3d &p : points)
        squares += (p - plane.mean).squaredNorm();
    const double scale = std::sqrt(squares / static_cast<double>(points.size()));
    if (!(scale > 0) || !std::isfinite(scale))
        return std::nullopt;
    // a x² + 2b xy + c y² + 2d x + 2e y + f = 0 closest to zero over the points: as for the ellipsoid.
    Eigen::Matrix<double, 6, 6> scatter = Eigen::Matrix<double, 6, 6>::Zero();
    for (const Eigen::Vector3d &p : points) {
        const double x = across.dot(p - plane.mean) / scale, y = along.dot(p - plane.mean) / scale;
        Eigen::Matrix<double, 6, 1> row;
        row << x * x, 2 * x * y, y * y, 2 * x, 2 * y, 1;
        scatter.selfadjointView<Eigen::Lower>().rankUpdate(row);
    }
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix<double, 6, 6>> solver(scatter);
    if (solver.info() != Eigen::Success)
        return std::nullopt;
    const Eigen::Matrix<double, 6, 1> q = solver.eigenvectors().col(0);
    Eigen::Matrix2d quadratic;
    quadratic << q(0), q(1), q(1), q(2);
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix2d> form(quadratic);
    const Eigen::Vector2d centre2 = -quadratic.inverse() * Eigen::Vector2d(q(3), q(4));
    const double level = centre2.dot(quadratic * centre2) - q(5);
    // Of either sign, the quadratic part and the level agree for an ellipse.
    Eigen::Vector2d radii = scale * (level / form.eigenvalues().array()).sqrt().matrix();
    if (!radii.allFinite() || !centre2.allFinite() || !(radii.minCoeff() > 0))
        return std::nullopt;
    const Eigen::Index longer = radii(0) >= radii(1) ? 0 : 1;
    radii = Eigen::Vector2d(radii(longer), radii(1 - longer));

    LevelTurn turn;
    turn.plane = plane;
    turn.centre = plane.mean + scale * (centre2.x() * across + centre2.y() * along);
    turn.radii = radii;
    turn.longAxis = form.eigenvectors()(0, longer) * across + form.eigenvectors()(1, longer) * along;
    turn.shortAxis = plane.normal.cross(turn.longAxis);
    turn.offset = turn.centre - plane.normal.dot(turn.centre) * plane.normal;
    const double radius = turn.circleRadius();
    turn.iron.distortion = (radii / radius).asDiagonal();
    turn.iron.offset = Eigen::Vector2d(turn.offset.dot(turn.longAxis), turn.offset.dot(turn.shortAxis)) / radius;
    return turn;
}

Eigen::Vector2d LevelTurn::corrected(const Eigen::Vector3d &point) const
{
    const Eigen::Vector3d from = point - centre;
    return circleRadius() * Eigen::Vector2d(from.dot(longAxis) / radii(0), from.dot(shortAxis) / radii(1));
}

} // namespace mag_check
