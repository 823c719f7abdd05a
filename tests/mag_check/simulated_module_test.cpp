#include "mag_check/calibration_check.h"
#include "tools/sensor_model.h"

#include <Eigen/SVD>
#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

namespace {

// The simulator's board, tumbling, shows the check the iron it was given.
TEST(SimulatedModule, TumbleShowsTheCheckItsHardAndSoftIron)
{
    compass_sim::SensorModel board;
    const std::array<double, 9> softIron{1.1, 0.05, 0, -0.02, 0.95, 0.04, 0.03, 0, 1.0};
    board.setHardIron(30, -20, 10);
    board.setSoftIron(softIron);
    board.setMagneticNoise(1);
    board.setTumble(60);
    std::vector<mag_check::FieldSample> samples;
    for (std::uint64_t ms = 0; ms < 60'000; ms += 50) {
        board.moveTo(ms);
        const compass_sim::Readings &r = board.readings();
        samples.push_back({{r.magX, r.magY, r.magZ}, Eigen::Vector3d(r.accX, r.accY, r.accZ)});
    }
    const mag_check::CheckResult result = mag_check::checkCalibration(samples);
    EXPECT_EQ(result.coverage, 100);
    ASSERT_TRUE(result.fit);
    const double field = std::hypot(180.0, 150.0);
    EXPECT_LT((result.fit->centre - Eigen::Vector3d(30, -20, 10)).norm(), field / 100);
    // The ellipsoid's axes are the soft-iron matrix's singular values times the field.
    const Eigen::Matrix<double, 3, 3, Eigen::RowMajor> matrix(softIron.data());
    const Eigen::Vector3d singular = Eigen::JacobiSVD<Eigen::Matrix3d>(matrix).singularValues();
    EXPECT_NEAR(result.fit->axisRatio(), singular(0) / singular(2), 0.01);
    EXPECT_NEAR(*result.inclination, std::atan2(150.0, 180.0) * 180 / std::numbers::pi, 1);
}

} // namespace
