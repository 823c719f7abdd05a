#pragma once
// An oracle for the calibration check that shares none of its formulas: the
// earth's field at a place, a module with known iron turned through it, and the
// heading error such a module shows, found by trying orientations one by one.
#include "mag_check/calibration_check.h"

#include <Eigen/Geometry>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace mag_check_test {

inline double radians(double degrees) { return degrees * std::numbers::pi / 180; }
inline double degrees(double radians) { return radians * 180 / std::numbers::pi; }

// The field's magnitude (µT) and inclination (degrees, positive downwards), as the world models give them.
struct Place {
    double field;
    double inclination;
};
inline constexpr Place CentralEurope{50, 67};
inline constexpr Place SouthernAustralia{33, -52};
inline constexpr Place Equator{35, 0};
// In a module's raw units rather than µT.
inline constexpr Place Bench{500, 60};

// North, east, down to the board's X forward, Y right, Z down: yaw, then pitch, then roll.
inline Eigen::Matrix3d boardFromWorld(double heading, double pitch, double roll)
{
    return (Eigen::AngleAxisd(radians(heading), Eigen::Vector3d::UnitZ())
            * Eigen::AngleAxisd(radians(pitch), Eigen::Vector3d::UnitY())
            * Eigen::AngleAxisd(radians(roll), Eigen::Vector3d::UnitX()))
        .toRotationMatrix()
        .transpose();
}

// Four normal numbers make a uniformly random rotation.
template <class Random>
Eigen::Matrix3d randomRotation(Random &random, std::normal_distribution<double> &normal)
{
    const double w = normal(random), x = normal(random), y = normal(random), z = normal(random);
    return Eigen::Quaterniond(w, x, y, z).normalized().toRotationMatrix();
}

// What the module reads: soft iron times the field on the board, plus the hard iron.
struct Iron {
    Eigen::Matrix3d soft = Eigen::Matrix3d::Identity();
    Eigen::Vector3d hard = Eigen::Vector3d::Zero();
};

// Soft iron stretching by k along `axis`.
inline Eigen::Matrix3d stretched(double k, const Eigen::Vector3d &axis)
{
    const Eigen::Vector3d a = axis.normalized();
    return Eigen::Matrix3d::Identity() + (k - 1) * a * a.transpose();
}

// The textbook tilt-compensated heading of a reading at a pitch and roll, in degrees.
inline double compassHeading(const Eigen::Vector3d &m, double pitch, double roll)
{
    const double p = radians(pitch), r = radians(roll);
    const double x = m.x() * std::cos(p) + m.y() * std::sin(r) * std::sin(p) + m.z() * std::cos(r) * std::sin(p);
    const double y = m.y() * std::cos(r) - m.z() * std::sin(r);
    return degrees(std::atan2(-y, x));
}

// North, east, down.
inline Eigen::Vector3d earthField(Place place)
{
    const double dip = radians(place.inclination);
    return place.field * Eigen::Vector3d(std::cos(dip), 0, std::sin(dip));
}

// The heading error's size in degrees at every orientation made of a heading,
// a pitch and a roll from the lists, the heading turning fastest.
inline std::vector<double> headingErrorsAt(const Iron &iron, Place place, const std::vector<double> &headings,
                                           const std::vector<double> &pitches, const std::vector<double> &rolls)
{
    std::vector<Eigen::Vector3d> levelBoard;
    for (const double heading : headings)
        levelBoard.push_back(boardFromWorld(heading, 0, 0) * earthField(place));
    std::vector<double> errors;
    for (const double pitch : pitches)
        for (const double roll : rolls) {
            // Turned to the heading, then tilted.
            const Eigen::Matrix3d seen = iron.soft * boardFromWorld(0, pitch, roll);
            for (std::size_t h = 0; h < headings.size(); ++h) {
                const double shown = compassHeading(seen * levelBoard[h] + iron.hard, pitch, roll);
                errors.push_back(std::abs(std::remainder(shown - headings[h], 360.0)));
            }
        }
    return errors;
}

// The heading, pitch and roll of an entry of headingErrorsAt's list.
inline std::array<double, 3> orientationOf(std::size_t entry, const std::vector<double> &headings,
                                           const std::vector<double> &pitches, const std::vector<double> &rolls)
{
    return {headings[entry % headings.size()], pitches[entry / headings.size() / rolls.size()],
            rolls[entry / headings.size() % rolls.size()]};
}

// `count` steps of `step` each side of `centre`, those within ±limit.
inline std::vector<double> anglesAround(double centre, double step, int count,
                                        double limit = std::numeric_limits<double>::infinity())
{
    std::vector<double> angles;
    for (int i = -count; i <= count; ++i)
        if (std::abs(centre + i * step) <= limit)
            angles.push_back(centre + i * step);
    return angles;
}

// The worst heading error over every heading and every pitch and roll from
// -maxTilt to maxTilt, found by trying orientations. The error is made of the
// small iron's first and second harmonics of the orientation: the point of a
// 10° grid nearest the highest peak lies within 5° of it in each angle and
// falls short of it by under 5 %. So around each point of that grid that is
// no lower than its neighbours and within 10 % of the highest, grids three
// times finer and three times smaller close in on the top, until their points
// are 0.005° apart.
inline double bruteForceWorstError(const Iron &iron, Place place, double maxTilt = 90)
{
    // Without iron every error is rounding, and every grid point a peak.
    if (iron.soft == Eigen::Matrix3d::Identity() && iron.hard == Eigen::Vector3d::Zero())
        return 0;
    constexpr double Step = 10;
    std::vector<double> headings;
    for (double heading = 0; heading < 360; heading += Step)
        headings.push_back(heading);
    const std::vector<double> tilts = anglesAround(0, Step, 9, maxTilt);
    const std::vector<double> grid = headingErrorsAt(iron, place, headings, tilts, tilts);
    const std::size_t h = headings.size(), t = tilts.size();
    // No neighbour higher, headings wrapping round.
    const auto isPeak = [&](std::size_t entry) {
        const std::size_t heading = entry % h, roll = entry / h % t, pitch = entry / h / t;
        for (std::size_t p = pitch > 0 ? pitch - 1 : 0; p <= std::min(pitch + 1, t - 1); ++p)
            for (std::size_t r = roll > 0 ? roll - 1 : 0; r <= std::min(roll + 1, t - 1); ++r)
                for (const std::size_t next : {(heading + h - 1) % h, heading, (heading + 1) % h})
                    if (grid[(p * t + r) * h + next] > grid[entry])
                        return false;
        return true;
    };
    const double highest = *std::max_element(grid.begin(), grid.end());
    double worst = highest;
    for (std::size_t entry = 0; entry < grid.size(); ++entry) {
        if (grid[entry] < 0.9 * highest || !isPeak(entry))
            continue;
        std::array<double, 3> top = orientationOf(entry, headings, tilts, tilts);
        for (double step = Step / 3; step > 0.004; step /= 3) {
            const std::vector<double> hs = anglesAround(top[0], step, 3);
            const std::vector<double> ps = anglesAround(top[1], step, 3, maxTilt);
            const std::vector<double> rs = anglesAround(top[2], step, 3, maxTilt);
            const std::vector<double> near = headingErrorsAt(iron, place, hs, ps, rs);
            const auto best = std::max_element(near.begin(), near.end());
            worst = std::max(worst, *best);
            top = orientationOf(static_cast<std::size_t>(best - near.begin()), hs, ps, rs);
        }
    }
    return worst;
}

// How the module is turned.
enum class Motion {
    // Every orientation alike.
    Tumble,
    // Level, round and round.
    LevelTurn,
    // Round and round, tilted up to 20° either way, as by an unsteady hand.
    Wobbling,
    // About its Y axis only.
    EndOverEnd,
};

// Readings of a module turned at a place, with noise of `noise` µT on each axis.
inline std::vector<mag_check::FieldSample> turned(Place place, const Iron &iron, double noise, int count,
                                                  Motion motion = Motion::Tumble, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> angle(0, 360), wobble(-20, 20);
    const Eigen::Vector3d earth = earthField(place);
    std::vector<mag_check::FieldSample> samples;
    for (int i = 0; i < count; ++i) {
        Eigen::Matrix3d toBoard;
        if (motion == Motion::Tumble) {
            toBoard = randomRotation(random, normal);
        } else if (motion == Motion::EndOverEnd) {
            toBoard = boardFromWorld(0, angle(random), 0);
        } else {
            const double heading = angle(random);
            const double pitch = motion == Motion::Wobbling ? wobble(random) : 0;
            const double roll = motion == Motion::Wobbling ? wobble(random) : 0;
            toBoard = boardFromWorld(heading, pitch, roll);
        }
        const double nx = normal(random), ny = normal(random), nz = normal(random);
        samples.push_back({iron.soft * (toBoard * earth) + iron.hard + noise * Eigen::Vector3d(nx, ny, nz),
                           toBoard * Eigen::Vector3d::UnitZ()});
    }
    return samples;
}

} // namespace mag_check_test
