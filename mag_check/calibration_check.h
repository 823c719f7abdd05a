#pragma once
#include "mag_check/direction_sectors.h"
#include "mag_check/ellipsoid_fit.h"
#include "mag_check/heading_confidence.h"
#include "mag_check/level_turn.h"

#include <optional>
#include <span>

namespace mag_check {

// One data sentence's magnetic field and, when it carried one, its acceleration
// as the module sends it: towards the earth, +1 G along Z when the module lies level.
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
// A fit whose refits' corrections differ by more than this (in units of the
// field) is not told by the points: they lie near a plane, or on too little of the sphere.
inline constexpr double MaxCorrectionSpread = 0.1;
// Points without an ellipsoid that lie within this many times the noise of
// their best plane (their scatter about the ellipse in it), and go round that
// ellipse within this spread (percent): a turn in that plane.
inline constexpr double FlatWithinNoise = 3;
inline constexpr double MaxLevelScatter = 20;
// Degrees, the worst heading error of a good calibration.
inline constexpr double MaxHeadingError = 1;
} // namespace Limits

enum class Verdict { RotateMore, Good, Recalibrate, Undecided };

// Why the verdict is what it is.
enum class Finding {
    TooFewPoints,
    // The points lie in one plane: the module was turned about one axis only.
    LevelTurnOnly,
    TooLittleCoverage,
    NoEllipsoid,
    Scattered,
    // Without acceleration the inclination, and so the heading error, is not known.
    NoInclination,
    HeadingErrorTooLarge,
    // The heading error's interval reaches both sides of the limit.
    Uncertain,
    WithinLimits,
};

struct Magnitude {
    double mean = 0;
    // Standard deviation, percent of the mean.
    double spread = 0;
};

// Degrees, the worst over every heading, and pitch and roll within ±90°.
struct HeadingErrors {
    // Of the whole correction, the fitted centre and soft iron together.
    double worst = 0;
    // Of the centre alone and of the soft iron alone.
    double hardIron = 0;
    double softIron = 0;
    // Where the true `worst` lies (95 %); none while the inclination is unknown.
    std::optional<Range> range;
};

struct CheckResult {
    // Samples with a finite field.
    int points = 0;
    SectorCounts sectorPoints{};
    int coveredSectors = 0;
    double coverage = 0;
    // The fitted ellipsoid; none while the points do not tell one (points near
    // one plane let many ellipsoids through).
    std::optional<Ellipsoid> fit;
    // Set when the points lie in one plane, with the ellipse they draw there when one fits.
    std::optional<Plane> plane;
    std::optional<LevelTurn> levelTurn;
    Magnitude before;
    // Of the fitted ellipsoid's correction; of the level turn's in its plane.
    Magnitude after;
    // Degrees below the horizon (negative: the field points up), median over
    // the samples with acceleration; none without, and for a level turn.
    std::optional<double> inclination;
    // At the inclination, or at 0 while it is not known.
    std::optional<HeadingErrors> headingError;
    // A level turn's worst heading error over a turn in its plane.
    std::optional<double> levelHeadingError;
    Verdict verdict = Verdict::RotateMore;
    Finding finding = Finding::TooFewPoints;
    // Where directions are taken from: the fitted centre; for a level turn the
    // ellipse's centre less its part across the plane, which such a turn cannot
    // tell; without either, the origin, as the module's own calibration has it.
    Eigen::Vector3d directionCentre = Eigen::Vector3d::Zero();

    // Where a field reading points from the centre. Not corrected: the
    // correction of a poor fit would blow noise up into every direction.
    Eigen::Vector3d direction(const Eigen::Vector3d &field) const { return field - directionCentre; }
};

// Fits the samples and judges the calibration. Non-finite values are left out.
// Plain data, no widgets: the window shows it, a command line can print it.
CheckResult checkCalibration(std::span<const FieldSample> samples);

} // namespace mag_check
