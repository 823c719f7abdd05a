#include "mag_check/calibration_check.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace mag_check {

namespace {

constexpr double DegreesPerRadian = 180 / std::numbers::pi;

template <class Length>
Magnitude magnitudeOf(const std::vector<Eigen::Vector3d> &fields, Length length)
{
    double sum = 0;
    double squares = 0;
    for (const Eigen::Vector3d &field : fields) {
        const double l = length(field);
        sum += l;
        squares += l * l;
    }
    const double n = static_cast<double>(fields.size());
    const double mean = sum / n;
    const double variance = std::max(0.0, squares / n - mean * mean);
    return {mean, mean > 0 ? 100 * std::sqrt(variance) / mean : 0};
}

// The dip of the corrected field below the plane square to gravity; its sign
// depends on which way the module counts acceleration, so it is left out.
std::optional<double> medianInclination(std::span<const FieldSample> samples, const Ellipsoid &fit)
{
    std::vector<double> dips;
    for (const FieldSample &sample : samples) {
        if (!sample.gravity)
            continue;
        const Eigen::Vector3d corrected = fit.corrected(sample.field);
        const double sine = std::abs(corrected.dot(*sample.gravity)) / (corrected.norm() * sample.gravity->norm());
        if (std::isfinite(sine))
            dips.push_back(std::asin(std::min(1.0, sine)) * DegreesPerRadian);
    }
    if (dips.empty())
        return std::nullopt;
    const auto middle = dips.begin() + static_cast<std::ptrdiff_t>(dips.size() / 2);
    std::nth_element(dips.begin(), middle, dips.end());
    return *middle;
}

// An offset turns the horizontal field it adds to by asin(offset / field) at
// the worst; one as large as the field itself can turn it any way at all.
double worstHeadingError(double offset, double horizontalField)
{
    if (!(offset < horizontalField))
        return 180;
    return std::asin(offset / horizontalField) * DegreesPerRadian;
}

void judge(CheckResult &result)
{
    const auto decide = [&result](Verdict verdict, Finding finding) {
        result.verdict = verdict;
        result.finding = finding;
    };
    if (result.points < Limits::MinPoints)
        return decide(Verdict::RotateMore, Finding::TooFewPoints);
    if (result.coverage < Limits::MinCoverage)
        return decide(Verdict::RotateMore, Finding::TooLittleCoverage);
    if (!result.fit)
        return decide(Verdict::RotateMore, Finding::NoEllipsoid);
    if (result.after.spread > Limits::MaxScatter)
        return decide(Verdict::RotateMore, Finding::Scattered);
    // Too large even as a least value is too large.
    if (*result.headingError > Limits::MaxHeadingError)
        return decide(Verdict::Recalibrate, Finding::OffsetTooLarge);
    if (result.fit->axisRatio() > Limits::MaxAxisRatio)
        return decide(Verdict::Recalibrate, Finding::DistortionTooLarge);
    if (!result.inclination)
        return decide(Verdict::Undecided, Finding::NoInclination);
    decide(Verdict::Good, Finding::WithinLimits);
}

} // namespace

CheckResult checkCalibration(std::span<const FieldSample> samples)
{
    CheckResult result;
    std::vector<Eigen::Vector3d> fields;
    fields.reserve(samples.size());
    for (const FieldSample &sample : samples)
        if (sample.field.allFinite())
            fields.push_back(sample.field);
    result.points = static_cast<int>(fields.size());
    if (fields.empty())
        return result;

    Eigen::Vector3d low = fields.front();
    Eigen::Vector3d high = fields.front();
    for (const Eigen::Vector3d &field : fields) {
        low = low.cwiseMin(field);
        high = high.cwiseMax(field);
    }
    result.boxCentre = (low + high) / 2;
    result.fit = fitEllipsoid(fields);

    for (const Eigen::Vector3d &field : fields)
        if (const std::optional<int> sector = sectorOf(result.direction(field)))
            ++result.sectorPoints[static_cast<std::size_t>(*sector)];
    result.coveredSectors = static_cast<int>(std::count_if(result.sectorPoints.begin(), result.sectorPoints.end(),
                                                           [](int n) { return n >= Limits::MinSectorPoints; }));
    result.coverage = 100.0 * result.coveredSectors / SectorCount;

    result.before = magnitudeOf(fields, [](const Eigen::Vector3d &field) { return field.norm(); });
    if (result.fit) {
        const Ellipsoid &fit = *result.fit;
        result.after =
            magnitudeOf(fields, [&fit](const Eigen::Vector3d &field) { return fit.corrected(field).norm(); });
        result.inclination = medianInclination(samples, fit);
        const double horizontal = fit.sphereRadius() * std::cos(result.inclination.value_or(0) / DegreesPerRadian);
        result.headingError = worstHeadingError(fit.centre.norm(), horizontal);
    }
    judge(result);
    return result;
}

} // namespace mag_check
