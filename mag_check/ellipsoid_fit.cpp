#include "mag_check/ellipsoid_fit.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>

namespace mag_check {

namespace {

using Coefficients = Eigen::Matrix<double, 10, 1>;

// Below this share of the largest, a second eigenvalue of the scatter matrix
// counts as zero: then more than one quadric passes through the points.
constexpr double SecondSolutionShare = 1e-10;

// Rows of the design matrix taken at a time: small enough for the stack, large
// enough for Eigen's blocked products.
constexpr int BlockRows = 256;

} // namespace

std::optional<FitFrame> fitFrameOf(std::span<const Eigen::Vector3d> points)
{
    if (points.size() < 9)
        return std::nullopt;
    Eigen::Vector3d mean = Eigen::Vector3d::Zero();
    for (const Eigen::Vector3d &p : points)
        mean += p;
    mean /= static_cast<double>(points.size());
    double squares = 0;
    for (const Eigen::Vector3d &p : points)
        squares += (p - mean).squaredNorm();
    const double scale = std::sqrt(squares / static_cast<double>(points.size()));
    if (!(scale > 0) || !std::isfinite(scale))
        return std::nullopt;
    return FitFrame{mean, scale};
}

QuadricScatter quadricScatter(std::span<const Eigen::Vector3d> points, const FitFrame &frame)
{
    QuadricScatter scatter = QuadricScatter::Zero();
    Eigen::Matrix<double, BlockRows, 10> rows;
    for (std::size_t first = 0; first < points.size(); first += BlockRows) {
        const auto count = static_cast<Eigen::Index>(std::min<std::size_t>(BlockRows, points.size() - first));
        for (Eigen::Index i = 0; i < count; ++i) {
            const Eigen::Vector3d p = (points[first + static_cast<std::size_t>(i)] - frame.mean) / frame.scale;
            rows.row(i) << p.x() * p.x(), p.y() * p.y(), p.z() * p.z(), 2 * p.y() * p.z(), 2 * p.x() * p.z(),
                2 * p.x() * p.y(), 2 * p.x(), 2 * p.y(), 2 * p.z(), 1;
        }
        scatter.selfadjointView<Eigen::Lower>().rankUpdate(rows.topRows(count).transpose());
    }
    return scatter;
}

std::optional<Ellipsoid> ellipsoidFrom(const QuadricScatter &scatter, const FitFrame &frame)
{
    // The coefficients of the quadric that comes closest to zero over the
    // points, with unit norm: the eigenvector for the least eigenvalue.
    const Eigen::SelfAdjointEigenSolver<QuadricScatter> solver(scatter);
    if (solver.info() != Eigen::Success || !(solver.eigenvalues()(1) > SecondSolutionShare * solver.eigenvalues()(9)))
        return std::nullopt;
    const Coefficients q = solver.eigenvectors().col(0);
    // pᵀ A p + 2 bᵀ p + d = 0, that is (p - c)ᵀ A (p - c) = level with c = -A⁻¹ b.
    Eigen::Matrix3d quadratic;
    quadratic << q(0), q(5), q(4), q(5), q(1), q(3), q(4), q(3), q(2);
    const Eigen::Vector3d linear = q.segment<3>(6);
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> form(quadratic);
    const Eigen::Vector3d eigenvalues = form.eigenvalues();
    if (form.info() != Eigen::Success)
        return std::nullopt;
    const Eigen::Matrix3d &directions = form.eigenvectors();
    const Eigen::Matrix3d inverse = directions * eigenvalues.cwiseInverse().asDiagonal() * directions.transpose();
    const Eigen::Vector3d centre = -inverse * linear;
    const double level = centre.dot(quadratic * centre) - q(9);

    Ellipsoid fitted;
    fitted.centre = frame.mean + frame.scale * centre;
    // Of either sign, the quadratic part and the level agree for an ellipsoid.
    fitted.radii = frame.scale * (level / eigenvalues.array()).sqrt().matrix();
    fitted.axes = directions;
    const Eigen::Vector3d stretch = fitted.sphereRadius() * fitted.radii.cwiseInverse();
    fitted.correction = directions * stretch.asDiagonal() * directions.transpose();
    // Any other quadric (a hyperboloid, a cylinder, no surface at all) has a
    // semi-axis that is no real number, and so has no correction.
    if (!fitted.centre.allFinite() || !fitted.correction.allFinite())
        return std::nullopt;
    return fitted;
}

std::optional<Ellipsoid> fitEllipsoid(std::span<const Eigen::Vector3d> points)
{
    const std::optional<FitFrame> frame = fitFrameOf(points);
    if (!frame)
        return std::nullopt;
    return ellipsoidFrom(quadricScatter(points, *frame), *frame);
}

} // namespace mag_check
