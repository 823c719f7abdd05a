// The calibration check judged by an oracle that shares none of its formulas:
// modules with known iron turned at three places, and the heading error they
// show found by trying orientations one by one.
#include "mag_check/calibration_check.h"
#include "tests/mag_check/earth_field.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using namespace mag_check;
using namespace mag_check_test;

// Soft iron along a direction that is none of the board's axes.
const Eigen::Vector3d SoftAxis(0.3, 0.5, 0.8);
// A hard iron near 0.8° at 67°, in µT.
const Eigen::Vector3d HardIron(0.2, -0.15, 0.1);

struct Case {
    const char *name;
    Place place;
    Iron iron;
};

// The oracle is slow: each iron at each place is searched once for all the tests.
double worstError(const Iron &iron, Place place, double maxTilt = 90)
{
    static std::map<std::vector<double>, double> found;
    std::vector<double> key(iron.soft.data(), iron.soft.data() + 9);
    key.insert(key.end(), {iron.hard.x(), iron.hard.y(), iron.hard.z(), place.field, place.inclination, maxTilt});
    const auto [entry, added] = found.try_emplace(key);
    if (added)
        entry->second = bruteForceWorstError(iron, place, maxTilt);
    return entry->second;
}

std::vector<Case> cases()
{
    const Iron hard{Eigen::Matrix3d::Identity(), HardIron};
    const Iron both{stretched(1.03, SoftAxis), HardIron};
    return {{"67° hard iron", CentralEurope, hard},
            {"67° k 1.02", CentralEurope, {stretched(1.02, SoftAxis), Eigen::Vector3d::Zero()}},
            {"67° k 1.03", CentralEurope, {stretched(1.03, SoftAxis), Eigen::Vector3d::Zero()}},
            {"67° k 1.10", CentralEurope, {stretched(1.10, SoftAxis), Eigen::Vector3d::Zero()}},
            {"67° both", CentralEurope, both},
            {"-52° hard iron", SouthernAustralia, hard},
            {"-52° both", SouthernAustralia, both},
            {"0° k 1.03", Equator, {stretched(1.03, SoftAxis), Eigen::Vector3d::Zero()}},
            {"0° both", Equator, both}};
}

// The program's search, given the true iron, finds what trying every orientation
// finds. Both close in on the top to far below 0.001°; a grid 10° apart alone
// falls short by up to 0.008°.
TEST(HeadingError, WorstOverEveryOrientationIsWhatTryingThemAllFinds)
{
    for (const Case &c : cases()) {
        const double scale = std::cbrt(c.iron.soft.determinant());
        const ResidualIron iron{c.iron.soft / scale, c.iron.hard / (c.place.field * scale)};
        EXPECT_NEAR(worstHeadingError(iron, c.place.inclination), worstError(c.iron, c.place), 0.001) << c.name;
    }
    // Level, over a full turn.
    const Iron level{stretched(1.05, Eigen::Vector3d(1, 2, 0)), {1.5, -1, 0}};
    const double radius = std::sqrt(level.soft.topLeftCorner<2, 2>().determinant());
    const LevelIron inPlane{level.soft.topLeftCorner<2, 2>() / radius, level.hard.head<2>() / (Equator.field * radius)};
    EXPECT_NEAR(worstLevelHeadingError(inPlane), worstError(level, Equator, 0), 0.001);
}

// From 2000 noisy readings of a module turned every way: the figure, its parts
// and its interval hold the oracle's figure, and the verdict follows it.
TEST(CalibrationCheck, HeadingErrorFromTheWholeCorrectionAgreesWithTheOracle)
{
    for (const Case &c : cases()) {
        const double truth = worstError(c.iron, c.place);
        const CheckResult result = checkCalibration(turned(c.place, c.iron, 0.3, 2000));
        ASSERT_TRUE(result.headingError) << c.name;
        const HeadingErrors &errors = *result.headingError;
        EXPECT_NEAR(*result.inclination, c.place.inclination, 0.5) << c.name;
        EXPECT_NEAR(errors.worst, truth, 0.1) << c.name;
        ASSERT_TRUE(errors.range) << c.name;
        EXPECT_LE(errors.range->low, truth) << c.name;
        EXPECT_GE(errors.range->high, truth) << c.name;
        EXPECT_LT(errors.range->high - errors.range->low, 0.5) << c.name;
        EXPECT_NEAR(errors.hardIron, worstError({Eigen::Matrix3d::Identity(), c.iron.hard}, c.place), 0.1)
            << c.name;
        EXPECT_NEAR(errors.softIron, worstError({c.iron.soft, Eigen::Vector3d::Zero()}, c.place), 0.1) << c.name;
        EXPECT_EQ(result.verdict, truth > 1 ? Verdict::Recalibrate : Verdict::Good) << c.name << " " << truth;
    }
}

TEST(CalibrationCheck, WithoutAccelerationTheFigureIsTakenAtInclinationZeroAndNotJudged)
{
    const Iron iron{stretched(1.03, SoftAxis), HardIron};
    std::vector<FieldSample> samples = turned(CentralEurope, iron, 0.3, 2000);
    for (FieldSample &sample : samples)
        sample.gravity.reset();
    const CheckResult result = checkCalibration(samples);
    EXPECT_FALSE(result.inclination);
    EXPECT_EQ(result.verdict, Verdict::Undecided);
    EXPECT_EQ(result.finding, Finding::NoInclination);
    EXPECT_NEAR(result.headingError->worst, worstError(iron, {CentralEurope.field, 0}), 0.1);
}

// A perfect module at 67°, with too few points for their noise to tell whether
// it is within 1°: neither verdict, whether the figure came out above 1° (200
// points with 1.5 µT of noise) or below it (300 with 0.5 µT).
TEST(CalibrationCheck, FewNoisyPointsGetNoVerdictEitherWay)
{
    for (const auto &[noise, count] : {std::pair(1.5, 200), std::pair(0.5, 300)})
        for (unsigned seed = 1; seed <= 2; ++seed) {
            const CheckResult result = checkCalibration(turned(CentralEurope, {}, noise, count, Motion::Tumble, seed));
            EXPECT_EQ(result.verdict, Verdict::Undecided) << noise << " " << seed;
            EXPECT_EQ(result.finding, Finding::Uncertain) << noise << " " << seed;
        }
    // With 3.5 µT the corrected field spreads 7 %: a cloud, no shell.
    EXPECT_EQ(checkCalibration(turned(CentralEurope, {}, 3.5, 200)).finding, Finding::Scattered);
}

// Turned level, the way most users turn a module: no ellipsoid, but the ellipse
// in the plane, and what it gives for level use.
TEST(CalibrationCheck, LevelTurnIsCheckedInItsPlane)
{
    const Iron iron{stretched(1.04, Eigen::Vector3d(1, 1, 0)), {0.4, -0.3, 6}};
    const CheckResult result = checkCalibration(turned(CentralEurope, iron, 0.5, 500, Motion::LevelTurn));
    EXPECT_FALSE(result.fit);
    EXPECT_FALSE(result.headingError);
    EXPECT_FALSE(result.inclination);
    EXPECT_EQ(result.finding, Finding::LevelTurnOnly);
    ASSERT_TRUE(result.levelTurn);
    EXPECT_NEAR(std::abs(result.levelTurn->plane.normal.z()), 1, 1e-3);
    EXPECT_NEAR(result.levelTurn->offset.x(), 0.4, 0.1);
    EXPECT_NEAR(result.levelTurn->offset.y(), -0.3, 0.1);
    EXPECT_NEAR(result.levelTurn->axisRatio(), 1.04, 0.01);
    EXPECT_NEAR(*result.levelHeadingError, worstError(iron, CentralEurope, 0), 0.15);
    // The field dips 67° into +Z: the points lie in the +Z cap, and the module must be turned over next.
    EXPECT_GE(result.sectorPoints[0], 400);
    const auto axis = wantedAxis(result.sectorPoints, Limits::MinSectorPoints);
    ASSERT_TRUE(axis);
    EXPECT_EQ(*axis, -Eigen::Vector3d::UnitZ());
    // Tilted up to 20° as it turns: neither an ellipsoid the points tell nor a plane.
    const CheckResult wobbling = checkCalibration(turned(CentralEurope, iron, 0.5, 500, Motion::Wobbling));
    EXPECT_FALSE(wobbling.fit);
    EXPECT_FALSE(wobbling.levelTurn);
}

// Each of the 20 sectors holds a 20th of directions spread evenly over the sphere.
TEST(DirectionSectors, HaveEqualAreas)
{
    constexpr int Directions = 200'000;
    SectorCounts counts{};
    // A Fibonacci lattice: points of equal area each.
    const double golden = std::numbers::pi * (3 - std::sqrt(5.0));
    for (int i = 0; i < Directions; ++i) {
        const double z = 1 - (2 * i + 1.0) / Directions;
        const double across = std::sqrt(1 - z * z);
        ++counts[static_cast<std::size_t>(
            *sectorOf({across * std::cos(golden * i), across * std::sin(golden * i), z}))];
    }
    for (int sector = 0; sector < SectorCount; ++sector)
        EXPECT_NEAR(counts[static_cast<std::size_t>(sector)], Directions / SectorCount, Directions / SectorCount / 100)
            << sector;
}

} // namespace
