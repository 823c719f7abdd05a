#include "mag_check/calibration_check.h"
#include "mag_check/sample_collector.h"
#include "tests/mag_check/earth_field.h"
#include "tools/sensor_model.h"

#include <Eigen/SVD>
#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace mag_check;
using namespace mag_check_test;

constexpr double Field = Bench.field;
const Iron Offset{Eigen::Matrix3d::Identity(), {40, -25, 15}};

TEST(CalibrationCheck, TooFewPointsOrPointsOnOnePlaneGetNoVerdict)
{
    EXPECT_EQ(checkCalibration(turned(Bench, {}, 0, 199)).finding, Finding::TooFewPoints);
    EXPECT_EQ(checkCalibration(turned(Bench, {}, 0, 200)).verdict, Verdict::Good);

    for (const Motion motion : {Motion::LevelTurn, Motion::EndOverEnd})
        for (const double noise : {0.0, Field / 200}) {
            const CheckResult result = checkCalibration(turned(Bench, Offset, noise, 2000, motion));
            EXPECT_FALSE(result.fit) << noise;
            EXPECT_EQ(result.finding, Finding::LevelTurnOnly) << noise;
            // The offset in the plane turned in; across it a turn about that axis tells nothing.
            ASSERT_TRUE(result.levelTurn);
            const Eigen::Vector3d across =
                motion == Motion::LevelTurn ? Eigen::Vector3d::UnitZ() : Eigen::Vector3d::UnitY();
            const Eigen::Vector3d inPlane = Offset.hard - Offset.hard.dot(across) * across;
            EXPECT_LT((result.levelTurn->offset - inPlane).norm(), Field / 100) << noise;
        }
    // Never turned over: the field stayed above 20 % below the board's XY plane.
    std::vector<FieldSample> above;
    for (const FieldSample &sample : turned(Bench, Offset, 0, 2000))
        if ((sample.field - Offset.hard).z() > -Field / 5)
            above.push_back(sample);
    // Two stray readings where it never pointed cover nothing.
    above.push_back({Offset.hard - Eigen::Vector3d(0, 0, Field), std::nullopt});
    above.push_back({Offset.hard + Eigen::Vector3d(0.8, 0, -0.6) * Field, std::nullopt});
    EXPECT_EQ(checkCalibration(above).finding, Finding::TooLittleCoverage);
}

TEST(CalibrationCheck, DegenerateInputGetsNoVerdict)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<FieldSample> alike(500, FieldSample{{100, -50, 30}, Eigen::Vector3d::UnitZ()});
    std::vector<FieldSample> notANumber(500, FieldSample{{nan, 1, 2}, std::nullopt});
    std::vector<FieldSample> oneAxis;
    std::vector<FieldSample> hyperboloid;
    for (int i = 0; i < 500; ++i) {
        oneAxis.push_back({{i - 250.0, 0, 0}, std::nullopt});
        // x² + y² - z² = 200²
        const double z = i - 250.0, around = i * 0.1;
        hyperboloid.push_back({{std::hypot(200, z) * std::cos(around), std::hypot(200, z) * std::sin(around), z},
                               std::nullopt});
    }
    // A module that stands still: one point and its noise.
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0, 2);
    std::vector<FieldSample> standing;
    for (int i = 0; i < 2000; ++i) {
        const double x = noise(random), y = noise(random), z = noise(random);
        standing.push_back({Eigen::Vector3d(100 + x, -50 + y, 30 + z), Eigen::Vector3d::UnitZ()});
    }
    for (const auto &samples : {std::vector<FieldSample>{}, alike, notANumber, oneAxis, hyperboloid, standing}) {
        const CheckResult result = checkCalibration(samples);
        EXPECT_EQ(result.verdict, Verdict::RotateMore) << samples.size();
    }
    EXPECT_EQ(checkCalibration(notANumber).points, 0);
    std::vector<Eigen::Vector3d> onHyperboloid;
    for (const FieldSample &sample : hyperboloid)
        onHyperboloid.push_back(sample.field);
    EXPECT_FALSE(fitEllipsoid(onHyperboloid));

    // Points that are not numbers are left out, and the rest still fit.
    std::vector<FieldSample> mixed = turned(Bench, Offset, 0, 500);
    mixed.insert(mixed.begin() + 100, notANumber.begin(), notANumber.begin() + 50);
    const CheckResult result = checkCalibration(mixed);
    EXPECT_EQ(result.points, 500);
    ASSERT_TRUE(result.fit);
    EXPECT_LT((result.fit->centre - Offset.hard).norm(), 1e-6);
}

TEST(SampleCollector, MakesOneSampleOfEachSentenceThatCarriedTheWholeField)
{
    SampleCollector collector;
    // Tags in any order.
    collector.addField(2, 1, 30);
    collector.addGravity(0, 1, 0.5);
    collector.addField(0, 1, 10);
    collector.addGravity(2, 1, 0.5);
    collector.addGravity(1, 1, 0.5);
    collector.addField(1, 1, 20);
    // No Z: no sample.
    collector.addField(0, 2, 7);
    collector.addField(1, 2, 7);
    // Part of the acceleration: a sample without it.
    for (int axis = 0; axis < 3; ++axis)
        collector.addField(axis, 3, 5);
    collector.addGravity(0, 3, 0.5);
    collector.flush();
    ASSERT_EQ(collector.samples().size(), 2u);
    EXPECT_EQ(collector.samples()[0].field, Eigen::Vector3d(10, 20, 30));
    EXPECT_EQ(collector.samples()[0].gravity, Eigen::Vector3d::Constant(0.5));
    EXPECT_FALSE(collector.samples()[1].gravity);
}

// The simulator's board, tumbling, shows the check the iron it was given.
TEST(SimulatedModule, TumbleShowsTheCheckItsHardAndSoftIron)
{
    compass_sim::SensorModel board;
    const std::array<double, 9> iron{1.1, 0.05, 0, -0.02, 0.95, 0.04, 0.03, 0, 1.0};
    board.setHardIron(30, -20, 10);
    board.setSoftIron(iron);
    board.setMagneticNoise(1);
    board.setTumble(60);
    std::vector<FieldSample> samples;
    for (std::uint64_t ms = 0; ms < 60'000; ms += 50) {
        board.moveTo(ms);
        const compass_sim::Readings &r = board.readings();
        samples.push_back({{r.magX, r.magY, r.magZ}, Eigen::Vector3d(r.accX, r.accY, r.accZ)});
    }
    const CheckResult result = checkCalibration(samples);
    EXPECT_EQ(result.coverage, 100);
    ASSERT_TRUE(result.fit);
    EXPECT_LT((result.fit->centre - Eigen::Vector3d(30, -20, 10)).norm(), std::hypot(180.0, 150.0) / 100);
    // The ellipsoid's axes are the soft-iron matrix's singular values times the field.
    const Eigen::Vector3d singular =
        Eigen::JacobiSVD<Eigen::Matrix3d>(Eigen::Matrix<double, 3, 3, Eigen::RowMajor>(iron.data())).singularValues();
    EXPECT_NEAR(result.fit->axisRatio(), singular(0) / singular(2), 0.01);
    EXPECT_NEAR(*result.inclination, std::atan2(150.0, 180.0) * 180 / std::numbers::pi, 1);
}

} // namespace
