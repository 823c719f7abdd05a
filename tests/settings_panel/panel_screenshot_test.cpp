#include "panel_bench.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>

namespace panel_test {
namespace {

// Where the picture goes: COMPASS_SCREENSHOT_DIR when set (docs/screenshots/
// for the documentation), else a scratch folder.
QString screenshotDir(const QTemporaryDir &scratch)
{
    const QString wanted = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
    const QString path = wanted.isEmpty() ? scratch.path() : wanted;
    QDir().mkpath(path);
    return path;
}

class PanelScreenshot : public PanelBench {};

TEST_F(PanelScreenshot, PanelFilledFromADump)
{
    host.sim().setPeer([this](std::string_view bytes) {
        if (bytes == "&")
            reply({"OUTPUT_FORMAT=1", "DISPLAY_FIELDS=271", "SET-RESET_RATE=100", "DEVIATION=1.5",
                   "DECLINATION=-2.3", "SOFTIRONCORRECTION=1", "BAUD_RATE=3", "OUTPUT_RATE=-2", "MAX_PSI=300",
                   "AVERAGING=16", "AD_UPDATE_RATE=4", "HW_MOUNTING_POS=2", "TEMP_OFFSET=0.5", "LIFESKIP=5",
                   "EULER=4", "KFILTER=0.125"},
                  20);
    });
    controller.RequestSettings(true);
    window.resize(window.sizeHint());
    window.show();
    ASSERT_EQ(panel->txtCSOutRate()->text(), "-2");

    QTemporaryDir scratch;
    const QString file = QDir(screenshotDir(scratch)).filePath("settings_panel.png");
    const QImage image = window.grab().toImage();
    ASSERT_FALSE(image.isNull());
    ASSERT_TRUE(image.save(file)) << "could not write " << file.toStdString();
    EXPECT_EQ(QImage(file).size(), image.size());
}

} // namespace
} // namespace panel_test
