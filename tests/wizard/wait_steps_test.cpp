#include "wizard/delayer.h"
#include "wizard/step_wait_90_degree_ht.h"
#include "wizard/step_wait_level_ht.h"
#include "wizard_bench.h"

#include <QLabel>

namespace {

// A wait step on its own, given a started compass the way the frame gives it.
template <typename Step> class WaitStepTest : public WizardBench {
protected:
    WaitStepTest() : step(sim.platform, [this] { return host.threshold; })
    {
        QObject::connect(&step, &wizard::WizardStep::OnStepDone, [this] { ++done; });
    }

    void initialize(std::int32_t doneDelay = 1000)
    {
        device::clsCompass *compass = &startCompass();
        device::clsAutomation *fixture = &automation;
        step.InitializeStep(compass, fixture);
        step.setDoneDelay(doneDelay);
        step.InitializedStep();
    }

    Step step;
    int done = 0;
};

using LevelStep = WaitStepTest<wizard::StepWaitLevelHT>;
using NinetyStep = WaitStepTest<wizard::StepWait90DegreeHT>;

TEST_F(LevelStep, LatchesHeatedAt56ThenCooledAt49ThenFinishesAfterTheHoldingTime)
{
    initialize();
    hold(10.0f, 1.0f, -1.0f, 56.0f, 400);
    EXPECT_FALSE(step.lblSHTLMinTemp1OK()->isHidden());
    EXPECT_TRUE(step.lblSHTLMinTemp2OK()->isHidden());
    EXPECT_TRUE(step.Delayer1()->isHidden());
    EXPECT_EQ(step.lblSHTLTemp()->text(), QStringLiteral("56°C"));

    hold(10.0f, 1.0f, -1.0f, 49.0f, 400);
    EXPECT_FALSE(step.lblSHTLMinTemp2OK()->isHidden());
    EXPECT_FALSE(step.Delayer1()->isHidden());
    EXPECT_TRUE(step.Delayer1()->IsRunning());
    EXPECT_EQ(done, 0);

    hold(10.0f, 1.0f, -1.0f, 49.0f, 1400);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(step.isChecking());
}

TEST_F(LevelStep, FiftyDegreesWithoutHavingReached55LatchesNothing)
{
    initialize();
    hold(0.0f, 0.0f, 0.0f, 50.0f, 3000);
    EXPECT_FALSE(step.heatCycle().heated());
    EXPECT_FALSE(step.heatCycle().cooled());
    EXPECT_EQ(done, 0);
    EXPECT_TRUE(step.Delayer1()->isHidden());
}

TEST_F(LevelStep, APitchOverTheThresholdWarnsAndResetsARunningDelayer)
{
    initialize();
    hold(0.0f, 0.0f, 0.0f, 56.0f, 300);
    hold(0.0f, 0.0f, 0.0f, 49.0f, 300);
    ASSERT_TRUE(step.Delayer1()->IsRunning());
    EXPECT_TRUE(step.lblSHTLWarn()->isHidden());

    hold(0.0f, 6.0f, 0.0f, 49.0f, 300);
    EXPECT_FALSE(step.lblSHTLWarn()->isHidden());
    EXPECT_EQ(step.lblSHTLWarn()->text(), QStringLiteral("WARNING: BOARD ISN'T LEVEL. PLEASE LEVEL IT TO CONTINUE"));
    EXPECT_FALSE(step.Delayer1()->IsRunning());
    EXPECT_TRUE(step.Delayer1()->isHidden());

    // Level again: the holding time starts afresh and the latches still hold.
    hold(0.0f, 4.0f, 0.0f, 49.0f, 800);
    EXPECT_EQ(done, 0);
    hold(0.0f, 4.0f, 0.0f, 49.0f, 600);
    EXPECT_EQ(done, 1);
}

TEST_F(LevelStep, NextAsksOnlyWhileTheBoardWasNeverHeated)
{
    initialize();
    hold(0.0f, 0.0f, 0.0f, 30.0f, 300);
    sim.messages.queueAnswer(platform::MessageResult::No);
    EXPECT_FALSE(step.ValidateStep());
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.shown()[0].text,
              QStringLiteral("Heat proccess is not completed, would you like to move next step anyway?\r\n\r\n"
                             "NOTE: Next step will return back if temperature goes down than minimun limit"));
    EXPECT_EQ(sim.messages.shown()[0].buttons, platform::MessageButtons::YesNo);

    sim.messages.queueAnswer(platform::MessageResult::Yes);
    EXPECT_TRUE(step.ValidateStep());

    // Heated is enough: a board that has not cooled yet passes without a question.
    hold(0.0f, 0.0f, 0.0f, 57.0f, 300);
    sim.messages.clear();
    EXPECT_TRUE(step.ValidateStep());
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(LevelStep, PreparingAgainClearsTheLatches)
{
    initialize();
    hold(0.0f, 0.0f, 0.0f, 57.0f, 300);
    ASSERT_TRUE(step.heatCycle().heated());
    step.RollBack();
    EXPECT_FALSE(step.isChecking());
    initialize();
    EXPECT_FALSE(step.heatCycle().heated());
    EXPECT_TRUE(step.lblSHTLMinTemp1OK()->isHidden());
}

TEST_F(NinetyStep, RollMinus88AtPitch2And45DegreesPasses)
{
    initialize();
    hold(0.0f, 2.0f, -88.0f, 45.0f, 400);
    EXPECT_TRUE(step.lblSHTLWarn()->isHidden());
    EXPECT_TRUE(step.lblWarnTemp()->isHidden());
    EXPECT_TRUE(step.Delayer1()->IsRunning());
    hold(0.0f, 2.0f, -88.0f, 45.0f, 1200);
    EXPECT_EQ(done, 1);
}

TEST_F(NinetyStep, Roll84FailsAtThreshold5AndPassesAtThreshold6)
{
    initialize();
    hold(0.0f, 2.0f, 84.0f, 45.0f, 2000);
    EXPECT_EQ(done, 0);
    EXPECT_FALSE(step.lblSHTLWarn()->isHidden());
    EXPECT_EQ(step.lblSHTLWarn()->text(),
              QStringLiteral("WARNING: BOARD ISN'T AT 90°. PLEASE ROLL IT TO 90° TO CONTINUE"));

    host.threshold = 6.0f;
    hold(0.0f, 2.0f, 84.0f, 45.0f, 1600);
    EXPECT_EQ(done, 1);
}

TEST_F(NinetyStep, BelowFortyDegreesWarnsAndNeverFinishes)
{
    initialize();
    hold(0.0f, 0.0f, 90.0f, 39.9f, 2000);
    EXPECT_EQ(done, 0);
    EXPECT_FALSE(step.lblWarnTemp()->isHidden());
    EXPECT_EQ(step.lblWarnTemp()->text(), QStringLiteral("WARNING: TEMPERATURE UNDER 40°C, HEAT UP BOARD"));
    EXPECT_TRUE(step.Delayer1()->isHidden());
    EXPECT_TRUE(step.ValidateStep());
}

TEST_F(NinetyStep, WithoutAHoldingTimeFinishesAtTheFirstCheckThatFindsTheBoardReady)
{
    device::clsCompass *compass = &startCompass();
    reading(0.0f, 0.0f, 90.0f, 41.0f);
    device::clsAutomation *fixture = &automation;
    step.InitializeStep(compass, fixture);
    // The first check ran inside InitializeStep, before any holding time was set.
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(step.isChecking());
}

} // namespace
