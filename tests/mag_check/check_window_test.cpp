#include "charts/chart_windows.h"
#include "controls/xp_button.h"
#include "mag_check/frm_mag_check.h"
#include "mag_check/projection_view.h"
#include "platform/sim/sim_platform.h"
#include "tests/mag_check/earth_field.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace mag_check;

QString spoken(const QWidget &window, const char *name)
{
    const auto *widget = window.findChild<QWidget *>(QLatin1String(name));
    return widget ? widget->accessibleName() : QStringLiteral("no %1").arg(QLatin1String(name));
}

TEST(CalibrationCheckWindow, OpensFromTheMagneticChartAndReadsOutTheCheckAsItRefreshes)
{
    platform::sim::SimPlatform sim(QDir::tempPath());
    charts::frmMagGraph magGraph;
    charts::ChartWindow accGraph(charts::ChartId::Acc);
    frmMagCheck check(sim.platform.timers, magGraph, accGraph.chart());
    EXPECT_EQ(magGraph.cmdCalCheck().accessibleName(), QStringLiteral("Open the magnetic calibration check"));
    magGraph.cmdCalCheck().click();
    ASSERT_TRUE(check.isVisible());
    EXPECT_EQ(check.windowTitle(), QStringLiteral("Magnetic Calibration Check"));
    // With room for a title bar and a panel on a 1280x800 screen.
    EXPECT_LE(check.minimumSizeHint().width(), 1280);
    EXPECT_LE(check.minimumSizeHint().height(), 800 - 60);
    EXPECT_EQ(spoken(check, "lblVerdict"), QStringLiteral("Verdict: Rotate more"));

    // Fed as the parser feeds the charts: magnitude on trace 0, X, Y and Z on traces 1 to 3.
    using namespace mag_check_test;
    const Iron offset{Eigen::Matrix3d::Identity(), {40, -25, 15}};
    double sampleNumber = 0;
    for (const FieldSample &sample : turned(Bench, offset, 0, 600)) {
        ++sampleNumber;
        check.magneticChart().addPoint(0, sampleNumber, sample.field.norm());
        for (int axis = 0; axis < 3; ++axis) {
            check.magneticChart().addPoint(axis + 1, sampleNumber, sample.field(axis));
            check.accelerationChart().addPoint(axis + 1, sampleNumber, (*sample.gravity)(axis));
        }
    }
    EXPECT_EQ(magGraph.graphMag().tracePoints(3).size(), 600);
    EXPECT_EQ(accGraph.chart().tracePoints(3).size(), 600);
    sim.advance(frmMagCheck::RefreshMs);
    EXPECT_EQ(spoken(check, "lblVerdict"), QStringLiteral("Verdict: Recalibrate"));
    EXPECT_EQ(spoken(check, "lblPoints"), QStringLiteral("Points: 600 of at most 20000"));
    EXPECT_TRUE(spoken(check, "lblOffset").startsWith(QStringLiteral("Hard-iron offset: X 40.0, Y -25.0, Z 15.0")))
        << spoken(check, "lblOffset").toStdString();
    EXPECT_EQ(spoken(check, "lblInclination"), QStringLiteral("Inclination: 60.0° (positive: the field points down)"));
    EXPECT_TRUE(spoken(check, "picCoverage").startsWith(QStringLiteral("Field directions seen: 20 of 20 sectors")));

    check.findChild<controls::XPButton *>(QStringLiteral("cmdClear"))->click();
    EXPECT_EQ(spoken(check, "lblPoints"), QStringLiteral("Points: 0 of at most 20000"));
    EXPECT_EQ(spoken(check, "lblVerdict"), QStringLiteral("Verdict: Rotate more"));

    // Turned level: what the plane tells, what it cannot, and which way to turn next.
    for (const FieldSample &sample : turned(Bench, offset, 0, 600, Motion::LevelTurn)) {
        ++sampleNumber;
        for (int axis = 0; axis < 3; ++axis) {
            check.magneticChart().addPoint(axis + 1, sampleNumber, sample.field(axis));
            check.accelerationChart().addPoint(axis + 1, sampleNumber, (*sample.gravity)(axis));
        }
    }
    sim.advance(frmMagCheck::RefreshMs);
    EXPECT_TRUE(spoken(check, "lblOffset").startsWith(QStringLiteral("Hard-iron offset: X 40.0, Y -25.0 (")))
        << spoken(check, "lblOffset").toStdString();
    EXPECT_TRUE(spoken(check, "lblOffset").endsWith(QStringLiteral("Z is not told by a level turn")));
    EXPECT_TRUE(spoken(check, "lblHeadingError").contains(QStringLiteral("when level; tilted: not told")));
    EXPECT_EQ(spoken(check, "picXY"), QStringLiteral("X–Y projection of 600 points"));
    EXPECT_EQ(spoken(check, "lblTurnHint"), QStringLiteral("Next: point the module's −Z axis along the earth's field."));
}

TEST(CalibrationCheckWindow, ProjectionAddingDotsDrawsWhatAFullRedrawDraws)
{
    const std::vector<FieldSample> samples =
        mag_check_test::turned(mag_check_test::Bench, {Eigen::Matrix3d::Identity(), {40, -25, 15}}, 0.5, 900);
    const std::span<const FieldSample> all(samples);
    const ViewBox box = viewBoxOf(all, std::nullopt);
    const ViewBox wider{box.middle, box.halfSpan * 1.5};
    // Growing, growing at another scale, then a ring that turned (the first points gone).
    const std::pair<std::span<const FieldSample>, ViewBox> pictures[] = {
        {all.first(300), box}, {all.first(600), box}, {all.first(900), wider}, {all.subspan(300, 600), wider}};
    ProjectionView view(0, 1);
    view.resize(320, 300);
    for (const auto &[points, viewBox] : pictures) {
        view.setPicture(points, std::nullopt, viewBox);
        ProjectionView fresh(0, 1);
        fresh.resize(320, 300);
        fresh.setPicture(points, std::nullopt, viewBox);
        EXPECT_EQ(view.grab().toImage(), fresh.grab().toImage()) << points.size() << " points";
    }
}

} // namespace
