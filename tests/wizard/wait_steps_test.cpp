#include "wizard/delayer.h"
#include "wizard/step_wait_90_degree_ht.h"
#include "wizard/step_wait_level_ht.h"
#include "wizard/wait_conditions.h"
#include "wizard_bench.h"

#include <QLabel>

namespace {

TEST(WaitConditions, AnglesWithinTheThresholdCountAndTheLimitsAreInclusive)
{
    EXPECT_TRUE(wizard::IsLevel(5.0f, -5.0f, 5.0f));
    EXPECT_FALSE(wizard::IsLevel(5.1f, 0.0f, 5.0f));
    EXPECT_FALSE(wizard::IsLevel(0.0f, -5.1f, 5.0f));
    EXPECT_TRUE(wizard::IsAt90Degrees(-5.0f, -85.0f, 5.0f));
    EXPECT_TRUE(wizard::IsAt90Degrees(2.0f, 95.0f, 5.0f));
    EXPECT_FALSE(wizard::IsAt90Degrees(5.1f, 90.0f, 5.0f));
    EXPECT_FALSE(wizard::IsAt90Degrees(0.0f, -84.9f, 5.0f));

    wizard::HeatCycle heat;
    for (float t : {50.0f, 54.9f})
        heat.sample(t);
    EXPECT_FALSE(heat.heated() || heat.cooled()) << "50 before 55 latches nothing";
    heat.sample(55.0f);
    heat.sample(50.1f);
    EXPECT_TRUE(heat.heated());
    EXPECT_FALSE(heat.cooled());
    heat.sample(50.0f);
    heat.sample(60.0f);
    EXPECT_TRUE(heat.cooled()) << "latched";
}

// A wait step on its own, given a started compass the way the frame gives it.
template <typename Step> class WaitStepTest : public WizardBench {
protected:
    WaitStepTest() { QObject::connect(&step, &wizard::WizardStep::OnStepDone, [this] { ++done; }); }

    void initialize(std::int32_t doneDelay = 1000)
    {
        device::clsCompass *ref = &startCompass();
        device::clsAutomation *fixture = &automation;
        step.InitializeStep(ref, fixture);
        step.setDoneDelay(doneDelay);
        step.InitializedStep();
    }

    Step step{sim.platform, [this] { return host.threshold; }};
    int done = 0;
};

using LevelStep = WaitStepTest<wizard::StepWaitLevelHT>;
using NinetyStep = WaitStepTest<wizard::StepWait90DegreeHT>;

TEST_F(LevelStep, HeatedAt56ThenCooledAt49ItFinishesAfterTheHoldingTime)
{
    initialize();
    hold(10.0f, 1.0f, -1.0f, 56.0f, 400);
    EXPECT_FALSE(step.lblSHTLMinTemp1OK()->isHidden());
    EXPECT_TRUE(step.lblSHTLMinTemp2OK()->isHidden());
    EXPECT_TRUE(step.Delayer1()->isHidden());
    EXPECT_EQ(step.lblSHTLTemp()->text(), QStringLiteral("56°C"));

    hold(10.0f, 1.0f, -1.0f, 49.0f, 400);
    EXPECT_FALSE(step.lblSHTLMinTemp2OK()->isHidden());
    EXPECT_TRUE(step.Delayer1()->IsRunning());
    EXPECT_FALSE(step.Delayer1()->isHidden());
    EXPECT_EQ(done, 0);
    hold(10.0f, 1.0f, -1.0f, 49.0f, 1400);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(step.isChecking());
}

TEST_F(LevelStep, NextAsksOnlyWhileTheBoardWasNeverHeatedAndPreparingAgainForgets)
{
    initialize();
    hold(0.0f, 0.0f, 0.0f, 30.0f, 300);
    sim.messages.queueAnswer(platform::MessageResult::No);
    EXPECT_FALSE(step.ValidateStep());
    EXPECT_EQ(sim.messages.texts(),
              QStringList{QStringLiteral("Heat proccess is not completed, would you like to move next step anyway?\r\n\r\n"
                                         "NOTE: Next step will return back if temperature goes down than minimun limit")});
    EXPECT_EQ(sim.messages.shown()[0].buttons, platform::MessageButtons::YesNo);
    sim.messages.queueAnswer(platform::MessageResult::Yes);
    EXPECT_TRUE(step.ValidateStep());

    hold(0.0f, 0.0f, 0.0f, 57.0f, 300);
    sim.messages.clear();
    EXPECT_TRUE(step.ValidateStep()) << "heated is enough, cooled or not";
    EXPECT_TRUE(sim.messages.shown().empty());

    step.RollBack();
    initialize();
    EXPECT_FALSE(step.heatCycle().heated());
    EXPECT_TRUE(step.lblSHTLMinTemp1OK()->isHidden());
}

TEST_F(NinetyStep, Roll84FailsAtTheThresholdOf5AndPassesAt6From40Degrees)
{
    initialize();
    hold(0.0f, 2.0f, 84.0f, 45.0f, 2000);
    EXPECT_EQ(done, 0);
    EXPECT_FALSE(step.lblSHTLWarn()->isHidden());
    EXPECT_EQ(step.lblSHTLWarn()->text(), QStringLiteral("WARNING: BOARD ISN'T AT 90°. PLEASE ROLL IT TO 90° TO CONTINUE"));

    host.threshold = 6.0f;
    hold(0.0f, 2.0f, 84.0f, 40.0f, 400);
    EXPECT_TRUE(step.lblSHTLWarn()->isHidden());
    EXPECT_TRUE(step.lblWarnTemp()->isHidden());
    EXPECT_TRUE(step.Delayer1()->IsRunning());
    hold(0.0f, 2.0f, 84.0f, 40.0f, 1200);
    EXPECT_EQ(done, 1);
}

} // namespace
