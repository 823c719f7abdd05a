#include "wizard/delayer.h"
#include "wizard/frm_high_temp_cal.h"
#include "wizard/ref_cal_step.h"
#include "wizard/step_wait_90_degree_ht.h"
#include "wizard/step_wait_level_ht.h"
#include "wizard_bench.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

namespace {

using wizard::frmHighTempCal;

const QString Titles[] = {QStringLiteral("High Temp Level Calibration"),
                          QStringLiteral("Reference Compass Level Calibration"),
                          QStringLiteral("High Temperature Z Calibration"),
                          QStringLiteral("Reference Compass Z Calibration"),
                          QStringLiteral("Calibration Successfully!")};

class WizardFrame : public WizardBench {
protected:
    void SetUp() override
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
    void expectOnPage(std::int16_t n)
    {
        EXPECT_EQ(wizard.CurrentStep(), n);
        EXPECT_EQ(wizard.lblStep()->text(), QStringLiteral("WIZARD STEP %1").arg(n));
        EXPECT_EQ(wizard.lblStepDesc()->text(), Titles[n - 1]);
        EXPECT_EQ(wizard.cmdBack()->isEnabled(), n >= 2 && n <= 4);
        EXPECT_TRUE(wizard.cmdNext()->isEnabled());
        QWidget *pages[] = {wizard.StepRefWaitLevelHT1(), wizard.StepRefLevelCalHT1(), wizard.StepRefWait90DegreeHT1(),
                            wizard.StepRefZCalHT1(), wizard.frStepRefFinal()};
        for (int page = 1; page <= 5; ++page)
            EXPECT_EQ(pages[page - 1]->isHidden(), page != n) << "page " << page;
    }

    frmHighTempCal wizard{host};
};

TEST_F(WizardFrame, OpensOnStepOneWithAFreshCompassInFactorySpace)
{
    expectOnPage(1);
    EXPECT_EQ(host.replacements, 1);
    EXPECT_EQ(wizard.RefCompass(), compass.get());
    EXPECT_EQ(compass->CmdTries, 2);
    EXPECT_EQ(com->settings(), "19200,N,8,1");
    EXPECT_EQ(board.keys(), "#");
    EXPECT_EQ(compass->Mode(), 2);
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(WizardFrame, BackFromThreeGoesToOneAndTheLastPageLeavesTheFactorySpace)
{
    walkTo(2);
    wizard.cmdBack()->click();
    expectOnPage(1);
    EXPECT_EQ(host.replacements, 2) << "showing step 1 again binds a new compass object";
    walkTo(3);
    expectOnPage(3);
    wizard.cmdBack()->click();
    expectOnPage(1);
    walkTo(4);
    expectOnPage(4);
    wizard.cmdBack()->click();
    expectOnPage(3);

    board.forget();
    walkTo(5);
    expectOnPage(5);
    EXPECT_EQ(wizard.cmdNext()->text(), QStringLiteral("Close"));
    EXPECT_EQ(board.keys(), ")#F") << "the Z calibration, then back to the user space with the defaults";
    EXPECT_FALSE(board.inFactorySpace());
    wizard.cmdNext()->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST_F(WizardFrame, AWaitStepThatFinishesMovesOnWithoutAClickButNotWhileItsQuestionIsUp)
{
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
    EXPECT_EQ(sim.messages.mostOpenAtOnce(), 1);
    EXPECT_FALSE(leftUnderTheBox);
    expectOnPage(2);
    EXPECT_EQ(board.keys(), "###(") << "step 2's calibration started on the way in";
}

TEST_F(WizardFrame, AWaitStepMovesOnOnceTheBoardHeldASecondAndOnlyTheShownStepCounts)
{
    emit wizard.StepRefZCalHT1()->OnStepDone();
    EXPECT_EQ(wizard.CurrentStep(), 1);
    hold(0.0f, 0.0f, 0.0f, 56.0f, 300);
    hold(0.0f, 0.0f, 0.0f, 49.0f, 900);
    EXPECT_EQ(wizard.CurrentStep(), 1);
    hold(0.0f, 0.0f, 0.0f, 49.0f, 600);
    EXPECT_EQ(wizard.CurrentStep(), 2);
}

TEST_F(WizardFrame, AStepThatFinishesWhileItIsFirstPreparedMovesOnOnlyOnceShown)
{
    walkTo(2);
    reading(0.0f, 0.0f, 90.0f, 45.0f);
    board.forget();
    wizard.cmdNext()->click();
    expectOnPage(4);
    EXPECT_EQ(board.keys(), ")");
}

TEST_F(WizardFrame, ClicksWhileAStepIsPreparedAndEscAreIgnored)
{
    walkTo(3);
    board.silentKeys.insert(')');
    sim.messages.setOnShow([this](const platform::sim::ShownMessage &) {
        wizard.cmdBack()->click();
        wizard.cmdNext()->click();
    });
    wizard.cmdNext()->click();
    sim.messages.setOnShow({});
    EXPECT_EQ(sim.messages.texts().last(), QStringLiteral("Can't start 90° Calibration on Reference Compass"));
    expectOnPage(4);

    wizard.show();
    QTest::keyClick(&wizard, Qt::Key_Escape);
    EXPECT_TRUE(wizard.isVisible()) << "only Close and the close box end the wizard";
}

// The open failure is one box, even though the pump runs while it is read.
TEST_F(WizardBench, APortHeldElsewhereIsReportedOnceAndStepOneStillShows)
{
    std::unique_ptr<platform::SerialPort> other = sim.ports.createPort();
    other->setPortNumber(3);
    ASSERT_TRUE(other->open());
    frmHighTempCal wizard{host};
    wizard.Form_Load();
    EXPECT_EQ(sim.messages.texts(),
              QStringList{QStringLiteral("Compass can't open port COM3.\r\n\r\n"
                                         "Please check if this port isn't used by another application.")});
    EXPECT_EQ(sim.messages.shown()[0].detail, QStringLiteral("COM3 is /dev/ttyS2: Device or resource busy. Close the "
                                                             "program that uses the port, then try again."));
    EXPECT_EQ(wizard.CurrentStep(), 1);
}

} // namespace
