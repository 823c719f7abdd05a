#pragma once
// An oracle for the calibration check that shares none of its formulas: the
// earth's field at a place, a module with known iron turned through it, and the
// heading error such a module shows, found by trying orientations one by one.
#include "mag_check/calibration_check.h"

#include <Eigen/Geometry>
#include <cmath>
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

// The worst heading error, by trying every heading, and every pitch and roll
// from -maxTilt to maxTilt, in steps of `step` degrees.
inline double bruteForceWorstError(const Iron &iron, Place place, double step, double maxTilt = 90)
{
    const Eigen::Vector3d earth =
        place.field * Eigen::Vector3d(std::cos(radians(place.inclination)), 0, std::sin(radians(place.inclination)));
    double worst = 0;
    for (double pitch = -maxTilt; pitch <= maxTilt; pitch += step)
        for (double roll = -maxTilt; roll <= maxTilt; roll += step)
            for (double heading = 0; heading < 360; heading += step) {
                const Eigen::Vector3d m = iron.soft * (boardFromWorld(heading, pitch, roll) * earth) + iron.hard;
                worst = std::max(worst, std::abs(std::remainder(compassHeading(m, pitch, roll) - heading, 360.0)));
            }
    return worst;
}

// How the module is turned.
enum class Motion {
    // Every orientation alike.
    Tumble,
    // Level, round and round.
    LevelTurn,
};

// Readings of a module turned at a place, with noise of `noise` µT on each axis.
inline std::vector<mag_check::FieldSample> turned(Place place, const Iron &iron, double noise, int count,
                                                  Motion motion = Motion::Tumble, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> angle(0, 360);
    const Eigen::Vector3d earth =
        place.field * Eigen::Vector3d(std::cos(radians(place.inclination)), 0, std::sin(radians(place.inclination)));
    std::vector<mag_check::FieldSample> samples;
    for (int i = 0; i < count; ++i) {
        const Eigen::Matrix3d toBoard =
            motion == Motion::Tumble ? randomRotation(random, normal) : boardFromWorld(angle(random), 0, 0);
        const double nx = normal(random), ny = normal(random), nz = normal(random);
        samples.push_back({iron.soft * (toBoard * earth) + iron.hard + noise * Eigen::Vector3d(nx, ny, nz),
                           toBoard * Eigen::Vector3d::UnitZ()});
    }
    return samples;
}

} // namespace mag_check_test
