#include "wizard/frm_high_temp_cal.h"
#include "wizard/frm_ht_password.h"
#include "wizard/ref_cal_step.h"
#include "wizard/step_wait_level_ht.h"
#include "wizard_bench.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// Where the pictures go: COMPASS_SCREENSHOT_DIR when set (docs/screenshots/
// for the documentation), else a scratch folder.
class WizardScreenshots : public WizardBench {
protected:
    WizardScreenshots()
    {
        const QString wanted = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
        m_path = wanted.isEmpty() ? m_scratch.path() : wanted;
        QDir().mkpath(m_path);
    }

    void save(QWidget &window, const QString &name)
    {
        const QImage image = window.grab().toImage();
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const QString file = QDir(m_path).filePath(name + QStringLiteral(".png"));
        ASSERT_TRUE(image.save(file)) << "could not write " << file.toStdString();
        EXPECT_EQ(QImage(file).size(), image.size());
    }

private:
    QTemporaryDir m_scratch;
    QString m_path;
};

TEST_F(WizardScreenshots, PasswordDialog)
{
    wizard::PasswordTries tries;
    wizard::frmHTPassword dialog(sim.platform, tries);
    dialog.show();
    dialog.txtPass()->setText(QStringLiteral("Kw"));
    save(dialog, QStringLiteral("wizard_password"));
}

TEST_F(WizardScreenshots, EveryPageOfTheWizard)
{
    wizard::frmHighTempCal calibration(host);
    calibration.Form_Load();
    calibration.show();
    hold(212.4f, 1.2f, -0.8f, 56.3f, 400);
    save(calibration, QStringLiteral("wizard_step1_level_wait"));

    hold(212.4f, 7.5f, -0.8f, 49.6f, 400);
    save(calibration, QStringLiteral("wizard_step1_not_level"));

    hold(212.4f, 1.5f, -0.8f, 49.6f, 600);
    save(calibration, QStringLiteral("wizard_step1_holding"));

    hold(212.4f, 1.5f, -0.8f, 49.6f, 1000);
    ASSERT_EQ(calibration.CurrentStep(), 2);
    board.sendText("Bridge offset\r\n X: 1201  Y: -88  Z: 402\r\n X: 1198  Y: -91  Z: 399\r\n");
    sim.advance(400);
    save(calibration, QStringLiteral("wizard_step2_level_cal"));

    static_cast<wizard::RefCalStep *>(calibration.StepRefLevelCalHT1())->cmdSpaceCmd()->click();
    ASSERT_EQ(calibration.CurrentStep(), 3);
    hold(212.4f, 1.0f, 62.0f, 38.5f, 400);
    save(calibration, QStringLiteral("wizard_step3_z_wait"));

    hold(212.4f, 1.0f, 89.0f, 42.0f, 1600);
    ASSERT_EQ(calibration.CurrentStep(), 4);
    sim.advance(400);
    save(calibration, QStringLiteral("wizard_step4_z_cal"));

    static_cast<wizard::RefCalStep *>(calibration.StepRefZCalHT1())->cmdSpaceCmd()->click();
    ASSERT_EQ(calibration.CurrentStep(), 5);
    save(calibration, QStringLiteral("wizard_step5_final"));
}

} // namespace
