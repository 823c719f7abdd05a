#include "end_to_end.h"

#include "charts/chart_windows.h"
#include "controls/xp_button.h"
#include "mag_check/frm_mag_check.h"
#include "tests/top_level_window.h"

namespace {

// A module tumbling with iron its calibration leaves in: the check finds it through the whole program.
TEST_F(EndToEnd, CalibrationCheckFindsTheIronATumblingModuleWasGiven)
{
    SimulatedCompass compass(dir.path(), 2,
                             {"--quiet", "--fields", "335", "--rate", "200", "--tumble", "5", "--hard-iron", "28,-16,9",
                              "--mag-noise", "0.5", "--duration", "60"});
    ASSERT_TRUE(compass.linked());
    startWithDataFlowing();
    auto *magGraph = topLevelWindow<charts::frmMagGraph>("frmMagGraph");
    auto *check = topLevelWindow<mag_check::frmMagCheck>("frmMagCheck");
    ASSERT_TRUE(magGraph && check);
    magGraph->cmdCalCheck().click();
    ASSERT_TRUE(waitFor([&] { return check->result().coverage == 100; }, 15000)) << check->result().coverage;
    const mag_check::CheckResult &result = check->result();
    EXPECT_EQ(result.verdict, mag_check::Verdict::Recalibrate);
    ASSERT_TRUE(result.fit && result.inclination);
    EXPECT_LT((result.fit->centre - Eigen::Vector3d(28, -16, 9)).norm(), 2.5);
    if (const QString folder = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR"); !folder.isEmpty())
        check->grab().save(QDir(folder).filePath("mag_check_e2e.png"));
}

} // namespace
