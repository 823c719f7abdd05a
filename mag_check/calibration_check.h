#pragma once
#include "mag_check/direction_sectors.h"
#include "mag_check/ellipsoid_fit.h"

#include <optional>
#include <span>

namespace mag_check {

// One data sentence's magnetic field and, when it carried one, its acceleration.
struct FieldSample {
    Eigen::Vector3d field;
    std::optional<Eigen::Vector3d> gravity;
};

// What the verdict rests on.
namespace Limits {
// Below these the points say nothing about the calibration.
inline constexpr int MinPoints = 200;
inline constexpr int MinSectorPoints = 3;
inline constexpr double MinCoverage = 75;
// Corrected magnitudes spread wider than this (percent) are no shell but a
// cloud: a module standing still, or a field disturbed while it turned.
inline constexpr double MaxScatter = 5;
// Each of these costs about one degree of heading at the worst.
inline constexpr double MaxHeadingError = 1;
inline constexpr double MaxAxisRatio = 1.035;
} // namespace Limits

enum class Verdict { RotateMore, Good, Recalibrate, Undecided };

// Why the verdict is what it is.
enum class Finding {
    TooFewPoints,
    TooLittleCoverage,
    NoEllipsoid,
    Scattered,
    OffsetTooLarge,
    DistortionTooLarge,
    // The offset and distortion are small, but without acceleration the
    // inclination, and so the heading error, is not known.
    NoInclination,
    WithinLimits,
};

struct Magnitude {
    double mean = 0;
    // Standard deviation, percent of the mean.
    double spread = 0;
};

struct CheckResult {
    // Samples with a finite field.
    int points = 0;
    SectorCounts sectorPoints{};
    int coveredSectors = 0;
    double coverage = 0;
    std::optional<Ellipsoid> fit;
    Magnitude before;
    Magnitude after;
    // Degrees, median over the samples with acceleration.
    std::optional<double> inclination;
    // Degrees, the worst the offset gives over every heading and tilt; taken
    // at inclination 0, and so a least value, while the inclination is unknown.
    std::optional<double> headingError;
    Verdict verdict = Verdict::RotateMore;
    Finding finding = Finding::TooFewPoints;
    // Where directions are taken from while there is no fit: the middle of the points' box.
    Eigen::Vector3d boxCentre = Eigen::Vector3d::Zero();

    // Where a field reading points from the fitted centre. Not corrected: the
    // correction of a flat fit would blow noise up into every direction.
    Eigen::Vector3d direction(const Eigen::Vector3d &field) const
    {
        return field - (fit ? fit->centre : boxCentre);
    }
};

// Fits the samples and judges the calibration. Non-finite values are left out.
CheckResult checkCalibration(std::span<const FieldSample> samples);

} // namespace mag_check
