#include "tools/sim_compass_link.h"
#include "wizard/frm_high_temp_cal.h"
#include "wizard/frm_ht_password.h"
#include "wizard/ht_cal_launcher.h"
#include "wizard/ref_cal_step.h"
#include "wizard_bench.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The whole factory procedure against the simulated module on COM3.
class WizardEndToEnd : public ::testing::Test {
protected:
    WizardEndToEnd()
        : sim(dir.path()), owned(sim.ports.createPort()), host(sim, *owned), module(sim.ports, sim.pump, 3)
    {
        sim.ports.addDevice(3);
        owned->setReceiveHandler([this] {
            if (host.ownsPort && host.compass)
                host.compass->OnCom();
            else
                owned->readAll();
        });
        module.compass().overrideSentencesPerSecond(10);
        module.compass().setAttitude(0.5, -0.3);
        module.compass().setTemperatureRamp(45.0, 60.0, 5.0);
    }

    bool waitFor(const std::function<bool()> &done, platform::sim::VirtualMs limitMs)
    {
        return sim.pump.advanceUntil(done, limitMs);
    }

    // The operator at the bench, once the wizard is up.
    void operate(wizard::frmHighTempCal &calibration)
    {
        compass_sim::CompassSimulator &board = module.compass();
        ASSERT_TRUE(board.inFactorySpace());
        ASSERT_TRUE(waitFor([&] { return board.readings().temperature >= 56.0; }, 10000));
        board.setTemperatureRamp(board.readings().temperature, 48.0, 5.0);
        ASSERT_TRUE(waitFor([&] { return calibration.CurrentStep() == 2; }, 10000));
        EXPECT_TRUE(board.calibrating());

        ASSERT_TRUE(waitFor([&] { return calibration.StepRefLevelCalHT1()->txtInput()->toPlainText().contains(
                                      QStringLiteral("Bridge offset")); },
                            3000));
        calibration.StepRefLevelCalHT1()->cmdSpaceCmd()->click();
        ASSERT_EQ(calibration.CurrentStep(), 3);
        EXPECT_FALSE(board.calibrating());

        board.setAttitude(1.0, 89.5);
        ASSERT_TRUE(waitFor([&] { return calibration.CurrentStep() == 4; }, 5000));
        EXPECT_TRUE(board.calibrating());
        calibration.StepRefZCalHT1()->cmdSpaceCmd()->click();
        ASSERT_EQ(calibration.CurrentStep(), 5);
        EXPECT_FALSE(board.calibrating());
        EXPECT_FALSE(board.inFactorySpace());
        calibration.cmdNext()->click();
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    std::unique_ptr<platform::SerialPort> owned;
    TestHost host;
    compass_sim::SimCompassLink module;
};

TEST_F(WizardEndToEnd, FromThePasswordToClose)
{
    bool closed = false;
    host.onModal = [&](QDialog &dialog) {
        if (auto *password = qobject_cast<wizard::frmHTPassword *>(&dialog)) {
            password->txtPass()->setText(QStringLiteral("KwPPe"));
            password->cmdOK()->click();
            return;
        }
        auto &calibration = dynamic_cast<wizard::frmHighTempCal &>(dialog);
        operate(calibration);
        closed = calibration.result() == QDialog::Accepted;
    };
    EXPECT_EQ(wizard::RunHighTempCalibration(host, nullptr), 1);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(host.ownsPort);
    EXPECT_TRUE(sim.messages.shown().empty()) << sim.messages.texts().join('|').toStdString();

    std::string keys;
    const auto &received = module.compass().received();
    for (std::size_t i = 0; i + 1 < received.size(); ++i)
        if (received[i].byte == 27)
            keys += received[i + 1].byte;
    EXPECT_EQ(keys, "###()#F");
}

} // namespace
