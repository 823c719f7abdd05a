#include "wizard/delayer.h"
#include "wizard/frm_high_temp_cal.h"
#include "wizard/ht_cal_launcher.h"
#include "wizard/ref_cal_step.h"
#include "wizard/step_wait_90_degree_ht.h"
#include "wizard/step_wait_level_ht.h"
#include "wizard/frm_ht_password.h"
#include "wizard_bench.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using wizard::frmHighTempCal;

class WizardFrame : public WizardBench {
protected:
    WizardFrame() : wizard(host) {}

    void load()
    {
        wizard.Form_Load();
        ASSERT_EQ(wizard.CurrentStep(), 1);
    }
    // Next pressed on each step until `n`; every question is answered Yes.
    void walkTo(std::int16_t n)
    {
        while (wizard.CurrentStep() < n)
            wizard.cmdNext()->click();
        ASSERT_EQ(wizard.CurrentStep(), n);
        sim.messages.clear();
    }
    void expectOnPage(std::int16_t n, const QString &title)
    {
        EXPECT_EQ(wizard.CurrentStep(), n);
        EXPECT_EQ(wizard.lblStep()->text(), QStringLiteral("WIZARD STEP %1").arg(n));
        EXPECT_EQ(wizard.lblStepDesc()->text(), title);
        EXPECT_EQ(wizard.cmdBack()->isEnabled(), n >= 2 && n <= 4);
        EXPECT_TRUE(wizard.cmdNext()->isEnabled());
        for (std::int16_t page = 1; page <= frmHighTempCal::FinalPage; ++page)
            EXPECT_EQ(pageWidget(page)->isHidden(), page != n) << "page " << page;
    }
    QWidget *pageWidget(std::int16_t n) const
    {
        switch (n) {
        case 1: return wizard.StepRefWaitLevelHT1();
        case 2: return wizard.StepRefLevelCalHT1();
        case 3: return wizard.StepRefWait90DegreeHT1();
        case 4: return wizard.StepRefZCalHT1();
        default: return wizard.frStepRefFinal();
        }
    }

    frmHighTempCal wizard;
};

const QString Title1 = QStringLiteral("High Temp Level Calibration");
const QString Title2 = QStringLiteral("Reference Compass Level Calibration");
const QString Title3 = QStringLiteral("High Temperature Z Calibration");
const QString Title4 = QStringLiteral("Reference Compass Z Calibration");
const QString Title5 = QStringLiteral("Calibration Successfully!");

TEST_F(WizardFrame, OpensOnStepOneWithAFreshCompassInFactorySpace)
{
    load();
    expectOnPage(1, Title1);
    ASSERT_EQ(host.replacements, 1);
    EXPECT_EQ(wizard.RefCompass(), host.compass.get());
    EXPECT_EQ(host.compass->CmdTries, 2);
    EXPECT_EQ(com->portNumber(), 3);
    EXPECT_EQ(com->settings(), "19200,N,8,1");
    EXPECT_TRUE(com->isOpen());
    EXPECT_EQ(board.keys(), "#");
    EXPECT_EQ(host.compass->Mode(), 2);
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(WizardFrame, BackAndNextAcrossEveryPage)
{
    load();
    walkTo(2);
    expectOnPage(2, Title2);
    wizard.cmdBack()->click();
    expectOnPage(1, Title1);
    // Showing step 1 again binds a new compass object.
    EXPECT_EQ(host.replacements, 2);

    walkTo(3);
    expectOnPage(3, Title3);
    wizard.cmdBack()->click();
    expectOnPage(1, Title1);

    walkTo(4);
    expectOnPage(4, Title4);
    wizard.cmdBack()->click();
    expectOnPage(3, Title3);

    board.forget();
    walkTo(5);
    expectOnPage(5, Title5);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("Close"));
    // Into the Z calibration, then back to the user space with the defaults restored.
    EXPECT_EQ(board.keys(), ")#F");
    wizard.cmdBack()->click();
    EXPECT_EQ(wizard.CurrentStep(), 5);

    wizard.cmdNext()->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(host.compass) << "the compass object stays the program's after the wizard";
}

TEST_F(WizardFrame, APortHeldElsewhereIsReportedOnceAndStepOneStillShows)
{
    std::unique_ptr<platform::SerialPort> other = sim.ports.createPort();
    other->setPortNumber(3);
    ASSERT_TRUE(other->open());
    load();
    EXPECT_EQ(sim.messages.texts(),
              QStringList{QStringLiteral("Compass can't open port COM3.\r\n\r\n"
                                         "Please check if this port isn't used by another application.")});
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(sim.messages.shown()[0].detail, QStringLiteral("COM3 is /dev/ttyS2: Device or resource busy. Close the "
                                                             "program that uses the port, then try again."));
    expectOnPage(1, Title1);
}

TEST_F(WizardFrame, AStepThatFinishesUnderItsQuestionMovesOnOnceAfterIt)
{
    load();
    hold(0.0f, 0.0f, 0.0f, 30.0f, 300);
    // While the user reads "move on anyway?", the board heats, cools and holds level.
    auto feed = sim.pump.createTimer();
    int fed = 0;
    bool leftUnderTheBox = false;
    feed->setTickHandler([&] {
        board.sendReading(0.0f, 0.0f, 0.0f, fed++ < 3 ? 56.0f : 49.0f);
        leftUnderTheBox = leftUnderTheBox || (sim.messages.openNow() > 0 && wizard.CurrentStep() != 1);
    });
    feed->setInterval(100);
    feed->setEnabled(true);
    sim.messages.queueAnswer(platform::MessageResult::No, 5000);
    wizard.cmdNext()->click();
    feed->setEnabled(false);
    EXPECT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.mostOpenAtOnce(), 1);
    EXPECT_FALSE(leftUnderTheBox) << "the step asked about stays while its question is up";
    expectOnPage(2, Title2);
}

TEST_F(WizardFrame, EscLeavesTheCalibrationRunningButTheCloseBoxEndsIt)
{
    load();
    walkTo(2);
    wizard.show();
    QTest::keyClick(&wizard, Qt::Key_Escape);
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.CurrentStep(), 2);
    wizard.close();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
}

TEST_F(WizardFrame, AWaitStepThatFinishesMovesOnWithoutAClick)
{
    load();
    hold(0.0f, 0.0f, 0.0f, 56.0f, 400);
    hold(0.0f, 0.0f, 0.0f, 49.0f, 2000);
    expectOnPage(2, Title2);
    // Step 2's calibration was started on the way in.
    EXPECT_EQ(board.keys(), "###(");
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(WizardFrame, AStepThatFinishesWhileItIsFirstPreparedMovesOnOnlyOnceShown)
{
    load();
    walkTo(2);
    // The board is already hot and at 90 degrees when step 3 is first prepared,
    // so its first check finishes it before the frame has shown it.
    reading(0.0f, 0.0f, 90.0f, 45.0f);
    board.forget();
    wizard.cmdNext()->click();
    expectOnPage(4, Title4);
    EXPECT_EQ(board.keys(), ")");
}

TEST_F(WizardFrame, ClicksDuringAStepPreparationAreIgnored)
{
    load();
    walkTo(3);
    board.silentKeys.insert(')');
    sim.messages.setOnShow([this](const platform::sim::ShownMessage &) {
        wizard.cmdBack()->click();
        wizard.cmdNext()->click();
    });
    wizard.cmdNext()->click();
    sim.messages.setOnShow({});
    EXPECT_EQ(sim.messages.texts().last(), QStringLiteral("Can't start 90° Calibration on Reference Compass"));
    expectOnPage(4, Title4);
}

TEST_F(WizardFrame, AStepLeftBeforeItsHoldingTimeEndedDoesNotMoveTheWizard)
{
    load();
    walkTo(3);
    hold(0.0f, 0.0f, 90.0f, 45.0f, 400);
    ASSERT_TRUE(wizard.StepRefWait90DegreeHT1()->Delayer1()->IsRunning());
    wizard.cmdNext()->click();
    ASSERT_EQ(wizard.CurrentStep(), 4);
    hold(0.0f, 0.0f, 90.0f, 45.0f, 2000);
    expectOnPage(4, Title4);
    EXPECT_TRUE(sim.messages.shown().empty());
}

class HighTempCalibration : public WizardBench {};

TEST_F(HighTempCalibration, TheRightPasswordOpensTheWizardWithThePortHandedToTheCompass)
{
    bool ownedWhileOpen = false;
    host.onModal = [&](QDialog &dialog) {
        if (auto *password = qobject_cast<wizard::frmHTPassword *>(&dialog)) {
            password->txtPass()->setText(QStringLiteral("KwPPe"));
            password->cmdOK()->click();
            return;
        }
        auto &calibration = dynamic_cast<frmHighTempCal &>(dialog);
        ownedWhileOpen = host.ownsPort;
        hold(0.0f, 0.0f, 0.0f, 56.0f, 400);
        hold(0.0f, 0.0f, 0.0f, 49.0f, 1600);
        ASSERT_EQ(calibration.CurrentStep(), 2);
        static_cast<wizard::RefCalStep *>(calibration.StepRefLevelCalHT1())->cmdSpaceCmd()->click();
        ASSERT_EQ(calibration.CurrentStep(), 3);
        hold(0.0f, 1.0f, -89.0f, 47.0f, 1600);
        ASSERT_EQ(calibration.CurrentStep(), 4);
        static_cast<wizard::RefCalStep *>(calibration.StepRefZCalHT1())->cmdSpaceCmd()->click();
        ASSERT_EQ(calibration.CurrentStep(), 5);
        calibration.cmdNext()->click();
    };
    EXPECT_EQ(wizard::RunHighTempCalibration(host, nullptr), 1);
    EXPECT_EQ(host.modalRuns, 2);
    EXPECT_TRUE(ownedWhileOpen);
    EXPECT_FALSE(host.ownsPort);
    EXPECT_EQ(board.keys(), "###()#F");
    EXPECT_FALSE(board.inFactorySpace());
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(HighTempCalibration, ACancelledPasswordOpensNoWizard)
{
    host.onModal = [](QDialog &dialog) { dialog.reject(); };
    EXPECT_EQ(wizard::RunHighTempCalibration(host, nullptr), 2);
    EXPECT_EQ(host.modalRuns, 1);
    EXPECT_EQ(host.replacements, 0);
    EXPECT_FALSE(host.ownsPort);
}

} // namespace
