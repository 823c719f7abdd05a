#pragma once
#include "mag_check/calibration_check.h"
#include "tests/mag_check/earth_field.h"

#include <Eigen/Geometry>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace mag_check_test {

// A module turned by hand at a place where the field is 500 units and dips
// 60°: what it reports, with its offset, soft iron and noise.
struct TurnedModule {
    static constexpr double Field = 500;
    static constexpr double DipDegrees = 60;
    // Any orientation, or turns about one board axis only (points on one plane).
    enum class Turns { Any, AboutZ, AboutY };

    Eigen::Vector3d offset = Eigen::Vector3d::Zero();
    Eigen::Matrix3d softIron = Eigen::Matrix3d::Identity();
    double noise = 0;
    bool acceleration = true;
    Turns turns = Turns::Any;

    std::vector<mag_check::FieldSample> samples(int count, unsigned seed = 7) const
    {
        std::mt19937 random(seed);
        std::normal_distribution<double> normal;
        std::uniform_real_distribution<double> angle(0, 2 * std::numbers::pi);
        const double dip = DipDegrees * std::numbers::pi / 180;
        const Eigen::Vector3d earth(Field * std::cos(dip), 0, Field * std::sin(dip));
        std::vector<mag_check::FieldSample> taken;
        for (int i = 0; i < count; ++i) {
            Eigen::Matrix3d toBoard;
            if (turns == Turns::Any) {
                toBoard = randomRotation(random, normal);
            } else {
                toBoard = Eigen::AngleAxisd(angle(random), turns == Turns::AboutZ ? Eigen::Vector3d::UnitZ()
                                                                                  : Eigen::Vector3d::UnitY())
                              .toRotationMatrix();
            }
            const double nx = normal(random), ny = normal(random), nz = normal(random);
            mag_check::FieldSample sample{softIron * (toBoard * earth) + offset + noise * Eigen::Vector3d(nx, ny, nz),
                                          std::nullopt};
            if (acceleration)
                sample.gravity = toBoard * Eigen::Vector3d::UnitZ();
            taken.push_back(sample);
        }
        return taken;
    }
};

} // namespace mag_check_test
