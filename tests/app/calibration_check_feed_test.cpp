#include "main_window_fixture.h"

#include "charts/chart_table.h"
#include "charts/chart_windows.h"
#include "controls/xp_button.h"
#include "mag_check/frm_mag_check.h"
#include "tests/top_level_window.h"

#include <map>

namespace {

// The check collects from the parser while hidden, as the charts do, and the charts still get every point.
TEST_F(MainWindowTest, CalibrationCheckCollectsWhileHiddenAndOpensFromTheMagneticChart)
{
    load();
    press("cmdOpen");
    compass().deliver("$C1Mx7My8Mz9Ax0Ay0.5Az1*00\r\n$C2Mx1My2Mz3*00\r\n$C3Mx1My2*00\r\n");
    sim->advance(500);
    auto *magGraph = topLevelWindow<charts::frmMagGraph>("frmMagGraph");
    auto *check = topLevelWindow<mag_check::frmMagCheck>("frmMagCheck");
    ASSERT_TRUE(magGraph && check);
    EXPECT_FALSE(check->isVisible());
    magGraph->cmdCalCheck().click();
    EXPECT_TRUE(check->isVisible());
    ASSERT_EQ(check->collector().samples().size(), 2u);
    EXPECT_EQ(check->collector().samples()[0].field, Eigen::Vector3d(7, 8, 9));
    EXPECT_EQ(check->collector().samples()[0].gravity, Eigen::Vector3d(0, 0.5, 1));
    EXPECT_FALSE(check->collector().samples()[1].gravity);
    EXPECT_EQ(magGraph->graphMag().tracePoints(1).size(), 3);
}

// Every chart of the table: its button opens its window, each of its traces
// is fed, and its range is the one the settings hold.
TEST_F(MainWindowTest, EveryChartOpensFromItsButtonIsFedAndRanged)
{
    load();
    press("cmdOpen");
    // Each value is 100 plus the reading's place in the field order.
    compass().deliver("$C100P101R102M105Mx106My107Mz108A109Ax110Ay111Az112*00\r\n");
    sim->advance(500);
    const std::map<QString, charts::AxisRange> defaultRanges{
        {"frmCmpGraph", {-180, 360}}, {"frmMagGraph", {-300, 300}}, {"frmAccGraph", {-2, 2}}};
    for (const charts::ChartRow &row : charts::ChartTable) {
        SCOPED_TRACE(row.windowName);
        auto *chartWindow = topLevelWindow<charts::ChartWindow>(row.windowName);
        ASSERT_NE(chartWindow, nullptr);
        EXPECT_FALSE(chartWindow->isVisible());
        press(row.showButtonName);
        EXPECT_TRUE(chartWindow->isVisible());
        for (std::size_t trace = 0; trace < row.traces.size(); ++trace) {
            const charts::TraceBuffer &points = chartWindow->chart().tracePoints(static_cast<int>(trace));
            ASSERT_EQ(points.size(), 1);
            EXPECT_EQ(points.at(0).y, 100 + protocol::indexOf(row.traces[trace].value));
        }
        EXPECT_EQ(chartWindow->chart().verticalRange().minimum, defaultRanges.at(row.windowName).minimum);
        EXPECT_EQ(chartWindow->chart().verticalRange().maximum, defaultRanges.at(row.windowName).maximum);
    }
}

} // namespace
