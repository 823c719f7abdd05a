#include "main_window_fixture.h"

#include "charts/chart_windows.h"
#include "controls/xp_button.h"
#include "mag_check/frm_mag_check.h"
#include "tests/top_level_window.h"

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

} // namespace
