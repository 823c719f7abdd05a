// The calibration wizard's password dialog and each of its pages, with the
// simulated module heated and turned as the factory procedure asks.
#include "tools/wizard_screenshots.h"

#include "device/cls_compass.h"
#include "platform/sim/sim_platform.h"
#include "tools/screenshot_file.h"
#include "tools/sim_compass_link.h"
#include "wizard/frm_high_temp_cal.h"
#include "wizard/frm_ht_password.h"
#include "wizard/ref_cal_step.h"
#include "wizard/wizard_host.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

constexpr int ModulePort = 3;

// The main window as the wizard sees it, with the module on its port.
class Host : public wizard::WizardHost {
public:
    explicit Host(platform::sim::SimPlatform &sim) : m_sim(sim), m_port(sim.ports.createPort())
    {
        m_port->setReceiveHandler([this] {
            if (m_compass)
                m_compass->OnCom();
            else
                m_port->readAll();
        });
    }

    platform::Platform &platform() override { return m_sim.platform; }
    platform::SerialPort &port() override { return *m_port; }
    device::SerialLineSettings storedSerialSettings() override
    {
        device::SerialLineSettings line;
        line.ComPort = std::to_string(ModulePort);
        line.ComBaud = "19200";
        return line;
    }
    float refAngleThreshold() override { return 5.0f; }
    device::clsCompass &replaceCompass(std::unique_ptr<device::clsCompass> compass) override
    {
        m_compass = std::move(compass);
        return *m_compass;
    }
    void setCompassOwnsPort(bool) override {}
    void runModal(QDialog &) override {}

private:
    platform::sim::SimPlatform &m_sim;
    std::unique_ptr<platform::SerialPort> m_port;
    std::unique_ptr<device::clsCompass> m_compass;
};

} // namespace

bool wizardPages(const QString &folder)
{
    QTemporaryDir dir;
    platform::sim::SimPlatform sim(dir.path());
    compass_sim::SimCompassLink module(sim.ports, sim.pump, ModulePort);
    compass_sim::CompassSimulator &board = module.compass();
    board.overrideSentencesPerSecond(10);
    board.setHeading(212.4);
    board.setAttitude(1.2, -0.8);
    board.setTemperature(56.3);
    Host host(sim);
    bool saved = true;

    wizard::PasswordTries tries;
    wizard::frmHTPassword password(sim.platform, tries);
    password.show();
    password.txtPass()->setText(QStringLiteral("Kw"));
    saved &= savePicture(password.grab(), folder, QStringLiteral("wizard_password"));
    password.hide();

    wizard::frmHighTempCal calibration(host);
    calibration.Form_Load();
    calibration.show();
    sim.advance(400);
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step1_level_wait"));
    board.setAttitude(7.5, -0.8);
    board.setTemperature(49.6);
    sim.advance(400);
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step1_not_level"));
    board.setAttitude(1.5, -0.8);
    sim.advance(600);
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step1_holding"));

    sim.pump.advanceUntil([&] { return calibration.CurrentStep() == 2; }, 3000);
    sim.advance(1000);
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step2_level_cal"));
    calibration.StepRefLevelCalHT1()->cmdSpaceCmd()->click();
    board.setAttitude(1.0, 62.0);
    board.setTemperature(38.5);
    sim.advance(400);
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step3_z_wait"));

    board.setAttitude(1.0, 89.0);
    board.setTemperature(42.0);
    sim.pump.advanceUntil([&] { return calibration.CurrentStep() == 4; }, 3000);
    sim.advance(1000);
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step4_z_cal"));
    calibration.StepRefZCalHT1()->cmdSpaceCmd()->click();
    saved &= savePicture(calibration.grab(), folder, QStringLiteral("wizard_step5_final"));
    return saved;
}
