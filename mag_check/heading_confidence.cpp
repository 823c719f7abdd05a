#include "mag_check/heading_confidence.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace mag_check {

namespace {

constexpr int Refits = 100;
constexpr double Confidence = 0.95;
// Blocks of neighbouring points: as many as this, and at least this many points in each.
constexpr std::size_t MaxBlocks = 50;
constexpr std::size_t MinBlockPoints = 4;
// Degrees between the orientations the refits are compared at: the
// differences vary slowly, as the iron they come from is small.
constexpr double CompareTiltStep = 15;
constexpr double CompareHeadingStep = 15;

using IronNumbers = Eigen::Matrix<double, 9, 1>;
// Degrees per unit of each of the iron's numbers, at each orientation of the grid.
using Slopes = Eigen::Matrix<double, Eigen::Dynamic, 9>;

// The distortion's six numbers (it is symmetric) and the offset's three.
IronNumbers numbersOf(const ResidualIron &iron)
{
    const Eigen::Matrix3d &d = iron.distortion;
    IronNumbers numbers;
    numbers << d(0, 0), d(1, 1), d(2, 2), d(0, 1), d(0, 2), d(1, 2), iron.offset;
    return numbers;
}

ResidualIron ironFrom(const IronNumbers &numbers)
{
    ResidualIron iron;
    iron.distortion << numbers(0), numbers(3), numbers(4), numbers(3), numbers(1), numbers(5), numbers(4), numbers(5),
        numbers(2);
    iron.offset = numbers.tail<3>();
    return iron;
}

// How the heading error at each orientation changes with each number: the
// refits differ from the fit by little, so the change is near enough linear.
Slopes slopesOf(const ResidualIron &iron, double inclination)
{
    constexpr double Nudge = 1e-6;
    static const HeadingErrorMap grid(CompareTiltStep, CompareHeadingStep);
    std::vector<double> at, nudged;
    grid.errors(iron, inclination, at);
    Slopes slopes(static_cast<Eigen::Index>(grid.size()), 9);
    const IronNumbers numbers = numbersOf(iron);
    for (Eigen::Index k = 0; k < 9; ++k) {
        grid.errors(ironFrom(numbers + Nudge * IronNumbers::Unit(k)), inclination, nudged);
        for (std::size_t i = 0; i < at.size(); ++i)
            slopes(static_cast<Eigen::Index>(i), k) = std::remainder(nudged[i] - at[i], 360.0) / Nudge;
    }
    return slopes;
}

// The distance from the fit that the given share of the refits stay within.
template <class Distance>
double confidenceBound(const std::vector<std::optional<ResidualIron>> &refits, Distance distance)
{
    std::vector<double> apart;
    apart.reserve(refits.size());
    for (const std::optional<ResidualIron> &refit : refits)
        apart.push_back(refit ? distance(*refit) : std::numeric_limits<double>::infinity());
    const auto bound = apart.begin() + static_cast<std::ptrdiff_t>(std::ceil(Confidence * static_cast<double>(apart.size()))) - 1;
    std::nth_element(apart.begin(), bound, apart.end());
    return *bound;
}

} // namespace

ResidualIron ironOf(const Ellipsoid &fit)
{
    const double radius = fit.sphereRadius();
    ResidualIron iron;
    iron.distortion = fit.axes * (fit.radii / radius).asDiagonal() * fit.axes.transpose();
    iron.offset = fit.centre / radius;
    return iron;
}

std::vector<std::optional<ResidualIron>> refitsOf(std::span<const Eigen::Vector3d> points, const FitFrame &frame)
{
    const std::size_t blockCount = std::clamp<std::size_t>(points.size() / MinBlockPoints, 2, MaxBlocks);
    std::vector<QuadricScatter> blocks;
    blocks.reserve(blockCount);
    for (std::size_t block = 0; block < blockCount; ++block) {
        const std::size_t first = points.size() * block / blockCount;
        const std::size_t last = points.size() * (block + 1) / blockCount;
        blocks.push_back(quadricScatter(points.subspan(first, last - first), frame));
    }
    // The same draws each time, so that the same points give the same verdict.
    std::mt19937 random(1);
    std::uniform_int_distribution<std::size_t> pick(0, blockCount - 1);
    std::vector<std::optional<ResidualIron>> refits;
    refits.reserve(Refits);
    for (int refit = 0; refit < Refits; ++refit) {
        QuadricScatter scatter = QuadricScatter::Zero();
        for (std::size_t i = 0; i < blockCount; ++i)
            scatter += blocks[pick(random)];
        const std::optional<Ellipsoid> again = ellipsoidFrom(scatter, frame);
        refits.push_back(again ? std::optional(ironOf(*again)) : std::nullopt);
    }
    return refits;
}

double correctionSpread(const std::vector<std::optional<ResidualIron>> &refits, const ResidualIron &fitted)
{
    return confidenceBound(refits, [&fitted](const ResidualIron &refit) {
        return (numbersOf(refit) - numbersOf(fitted)).cwiseAbs().maxCoeff();
    });
}

Range worstHeadingErrorRange(const std::vector<std::optional<ResidualIron>> &refits, const ResidualIron &fitted,
                             double inclination, double worst)
{
    const Slopes slopes = slopesOf(fitted, inclination);
    const IronNumbers numbers = numbersOf(fitted);
    const double apart = confidenceBound(refits, [&](const ResidualIron &refit) {
        return (slopes * (numbersOf(refit) - numbers)).cwiseAbs().maxCoeff();
    });
    return {std::max(0.0, worst - apart), std::min(180.0, worst + apart)};
}

} // namespace mag_check
