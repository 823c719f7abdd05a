#include "charts/chart_windows.h"
#include "tests/controls/screenshot_dir.h"

#include <cmath>

namespace {

using namespace charts;

// A slow swing with some noise, like a module turned by hand on the bench.
double swing(int sample, double amplitude, double phase)
{
    return amplitude * std::sin(sample / 60.0 + phase) + amplitude * 0.05 * std::sin(sample * 1.7 + phase);
}

void feedVector(StripChartWidget &chart, int samples, double amplitude)
{
    for (int sample = 1; sample <= samples; ++sample) {
        const double x = swing(sample, amplitude, 0);
        const double y = swing(sample, amplitude, 2.1);
        const double z = swing(sample, amplitude * 0.6, 4.2);
        chart.addPoint(0, sample, std::sqrt(x * x + y * y + z * z));
        chart.addPoint(1, sample, x);
        chart.addPoint(2, sample, y);
        chart.addPoint(3, sample, z);
    }
}

TEST(ChartsScreenshots, ChartWindowsWithData)
{
    controls_test::ScreenshotDir dir;

    frmCmpGraph cmp;
    cmp.graphCmp().setRange(360, -180);
    for (int sample = 1; sample <= 1500; ++sample) {
        cmp.graphCmp().addPoint(0, sample, std::fmod(328 + sample * 0.2, 360));
        cmp.graphCmp().addPoint(1, sample, swing(sample, 12, 0));
        cmp.graphCmp().addPoint(2, sample, swing(sample, 25, 1));
    }
    cmp.show();
    dir.save(cmp, QStringLiteral("chart_cmp"));

    frmMagGraph mag;
    mag.graphMag().setRange(300, -300);
    feedVector(mag.graphMag(), 1500, 180);
    mag.show();
    dir.save(mag, QStringLiteral("chart_mag"));

    frmAccGraph acc;
    acc.graphAcc().setRange(2, -2);
    feedVector(acc.graphAcc(), 1500, 0.9);
    acc.show();
    dir.save(acc, QStringLiteral("chart_acc"));

    // A range whose minimum is not below its maximum still draws.
    acc.graphAcc().setRange(1, 1);
    dir.save(acc, QStringLiteral("chart_acc_equal_range"));
}

} // namespace
