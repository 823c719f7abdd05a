// Times the ellipsoid fit, the refits behind the heading error's interval and
// the whole calibration check (fit, interval, verdict) on 20,000 points, the
// most the check keeps, against one plain pass over the same points, and prints
// each as a multiple of that pass and in milliseconds.
#include "mag_check/calibration_check.h"

#include <Eigen/Geometry>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <numbers>
#include <random>
#include <string>

namespace {

constexpr int PointCount = 20000;

// A module turned every way where the field is 50 µT and dips 67°, with hard
// and soft iron and noise, its acceleration with it.
const std::vector<mag_check::FieldSample> &turnedModule()
{
    static const std::vector<mag_check::FieldSample> samples = [] {
        std::mt19937 random(18);
        std::normal_distribution<double> normal;
        Eigen::Matrix3d softIron;
        softIron << 1.02, 0.01, 0, 0.01, 0.99, 0.01, 0, 0.01, 1.0;
        const double dip = 67 * std::numbers::pi / 180;
        const Eigen::Vector3d earth(50 * std::cos(dip), 0, 50 * std::sin(dip));
        std::vector<mag_check::FieldSample> made;
        for (int i = 0; i < PointCount; ++i) {
            const double w = normal(random), x = normal(random), y = normal(random), z = normal(random);
            const Eigen::Matrix3d toBoard = Eigen::Quaterniond(w, x, y, z).normalized().toRotationMatrix();
            const double nx = normal(random), ny = normal(random), nz = normal(random);
            made.push_back({softIron * (toBoard * earth) + Eigen::Vector3d(0.4, -0.25, 0.15)
                                + 0.3 * Eigen::Vector3d(nx, ny, nz),
                            toBoard * Eigen::Vector3d::UnitZ()});
        }
        return made;
    }();
    return samples;
}

std::vector<Eigen::Vector3d> fields()
{
    std::vector<Eigen::Vector3d> points;
    for (const mag_check::FieldSample &sample : turnedModule())
        points.push_back(sample.field);
    return points;
}

// The baseline: every point read once, its length taken.
void plainPass(benchmark::State &state)
{
    const std::vector<Eigen::Vector3d> points = fields();
    for (auto _ : state) {
        double sum = 0;
        for (const Eigen::Vector3d &p : points)
            sum += p.norm();
        benchmark::DoNotOptimize(sum);
    }
}

void fit(benchmark::State &state)
{
    const std::vector<Eigen::Vector3d> points = fields();
    for (auto _ : state)
        benchmark::DoNotOptimize(mag_check::fitEllipsoid(points));
}

// The refits and the interval they give.
void interval(benchmark::State &state)
{
    const std::vector<Eigen::Vector3d> points = fields();
    const mag_check::FitFrame frame = *mag_check::fitFrameOf(points);
    const mag_check::ResidualIron iron = mag_check::ironOf(*mag_check::fitEllipsoid(points));
    for (auto _ : state)
        benchmark::DoNotOptimize(mag_check::worstHeadingErrorRange(mag_check::refitsOf(points, frame), iron, 67, 2));
}

// What one refresh of the window computes.
void check(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(mag_check::checkCalibration(turnedModule()));
}

BENCHMARK(plainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(fit)->Unit(benchmark::kMillisecond);
BENCHMARK(interval)->Unit(benchmark::kMillisecond);
BENCHMARK(check)->Unit(benchmark::kMillisecond);

// Prints, after the table, each benchmark's time over the plain pass's.
class AgainstPlainPass : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1))
                m_milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double baseline = m_milliseconds["plainPass"];
        for (const char *name : {"fit", "interval", "check"})
            if (m_milliseconds.count(name) && baseline > 0)
                std::printf("%-8s %7.2f ms for %d points: %.0fx the plain pass (%.3f ms)\n", name,
                            m_milliseconds[name], PointCount, m_milliseconds[name] / baseline, baseline);
    }

private:
    std::map<std::string, double> m_milliseconds;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    AgainstPlainPass reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
