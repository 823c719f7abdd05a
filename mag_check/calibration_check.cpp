#include "mag_check/calibration_check.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace mag_check {

namespace {


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

// How far the corrected field dips below the plane square to gravity.
std::optional<double> medianInclination(std::span<const FieldSample> samples, const Ellipsoid &fit)
{
    std::vector<double> dips;
    for (const FieldSample &sample : samples) {
        if (!sample.gravity)
            continue;
        const Eigen::Vector3d corrected = fit.corrected(sample.field);
        const double sine = corrected.dot(*sample.gravity) / (corrected.norm() * sample.gravity->norm());
        if (std::isfinite(sine))
            dips.push_back(std::asin(std::clamp(sine, -1.0, 1.0)) * DegreesPerRadian);
    }
    if (dips.empty())
        return std::nullopt;
    const auto middle = dips.begin() + static_cast<std::ptrdiff_t>(dips.size() / 2);
    std::nth_element(dips.begin(), middle, dips.end());
    return *middle;
}

HeadingErrors headingErrorsOf(const Ellipsoid &fit, double inclination)
{
    const ResidualIron iron = ironOf(fit);
    HeadingErrors errors;
    errors.worst = worstHeadingError(iron, inclination);
    errors.hardIron = worstHeadingError({Eigen::Matrix3d::Identity(), iron.offset}, inclination);
    errors.softIron = worstHeadingError({iron.distortion, Eigen::Vector3d::Zero()}, inclination);
    return errors;
}

// A spread in field units: what a fit's residuals call noise.
double noiseOf(const Magnitude &magnitude)
{
    return magnitude.mean * magnitude.spread / 100;
}

void judge(CheckResult &result)
{
    const auto decide = [&result](Verdict verdict, Finding finding) {
        result.verdict = verdict;
        result.finding = finding;
    };
    if (result.points < Limits::MinPoints)
        return decide(Verdict::RotateMore, Finding::TooFewPoints);
    if (result.plane)
        return decide(Verdict::RotateMore, Finding::LevelTurnOnly);
    if (result.coverage < Limits::MinCoverage)
        return decide(Verdict::RotateMore, Finding::TooLittleCoverage);
    if (!result.fit)
        return decide(Verdict::RotateMore, Finding::NoEllipsoid);
    if (result.after.spread > Limits::MaxScatter)
        return decide(Verdict::RotateMore, Finding::Scattered);
    if (!result.headingError->range)
        return decide(Verdict::Undecided, Finding::NoInclination);
    const Range &range = *result.headingError->range;
    if (range.low > Limits::MaxHeadingError)
        return decide(Verdict::Recalibrate, Finding::HeadingErrorTooLarge);
    if (range.high > Limits::MaxHeadingError)
        return decide(Verdict::Undecided, Finding::Uncertain);
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

    result.before = magnitudeOf(fields, [](const Eigen::Vector3d &field) { return field.norm(); });

    const std::optional<FitFrame> frame = fitFrameOf(fields);
    std::optional<Ellipsoid> fit;
    if (frame)
        fit = ellipsoidFrom(quadricScatter(fields, *frame), *frame);
    std::vector<std::optional<ResidualIron>> refits;
    if (fit) {
        refits = refitsOf(fields, *frame);
        // Points in one plane, or near it within the noise, let many ellipsoids through.
        if (!(correctionSpread(refits, ironOf(*fit)) <= Limits::MaxCorrectionSpread))
            fit.reset();
    }
    if (fit) {
        result.fit = fit;
        result.directionCentre = fit->centre;
        result.after =
            magnitudeOf(fields, [&fit](const Eigen::Vector3d &field) { return fit->corrected(field).norm(); });
        result.inclination = medianInclination(samples, *fit);
        result.headingError = headingErrorsOf(*fit, result.inclination.value_or(0));
        if (result.inclination)
            result.headingError->range =
                worstHeadingErrorRange(refits, ironOf(*fit), *result.inclination, result.headingError->worst);
    } else if (const std::optional<Plane> plane = planeOf(fields)) {
        const std::optional<LevelTurn> turn = fitLevelTurn(fields, *plane);
        const Magnitude inPlane = turn ? magnitudeOf(fields, [&turn](const Eigen::Vector3d &field) {
            return turn->corrected(field).norm();
        })
                                       : Magnitude{};
        // Points exactly in one plane have only rounding for noise; the plane's
        // thickness, a square root, keeps about half the digits.
        const double noise = std::max(noiseOf(inPlane), 1e-6 * inPlane.mean);
        if (turn && plane->thickness <= Limits::FlatWithinNoise * noise
            && inPlane.spread <= Limits::MaxLevelScatter) {
            result.plane = plane;
            result.levelTurn = turn;
            result.after = inPlane;
            result.levelHeadingError = worstLevelHeadingError(turn->iron);
            result.directionCentre = turn->offset;
        }
    }

    for (const Eigen::Vector3d &field : fields)
        if (const std::optional<int> sector = sectorOf(result.direction(field)))
            ++result.sectorPoints[static_cast<std::size_t>(*sector)];
    result.coveredSectors = static_cast<int>(std::count_if(result.sectorPoints.begin(), result.sectorPoints.end(),
                                                           [](int n) { return n >= Limits::MinSectorPoints; }));
    result.coverage = 100.0 * result.coveredSectors / SectorCount;
    judge(result);
    return result;
}

} // namespace mag_check
