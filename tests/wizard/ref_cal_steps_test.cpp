#include "wizard/ref_cal_step.h"
#include "wizard_bench.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

template <typename Step> class RefCalStepTest : public WizardBench {
protected:
    RefCalStepTest()
    {
        QObject::connect(&step, &wizard::WizardStep::OnStepDone, [this] { ++done; });
        startCompass();
    }
    // A compass that has said something counts as alive.
    void initialize(bool alive = true)
    {
        if (alive)
            reading(0.0f, 0.0f, 0.0f, 25.0f);
        device::clsCompass *ref = compass.get();
        device::clsAutomation *fixture = &automation;
        step.InitializeStep(ref, fixture);
        step.InitializedStep();
    }

    Step step{sim.platform};
    int done = 0;
};

using LevelCal = RefCalStepTest<wizard::StepRefLevelCal>;
using ZCal = RefCalStepTest<wizard::StepRefZCal>;

TEST_F(LevelCal, StartsTheHighTemperatureLevelCalibrationInFactorySpaceAfterABlank)
{
    initialize();
    EXPECT_EQ(com->written().front().bytes, " ");
    EXPECT_EQ(board.keys(), "#(");
    EXPECT_TRUE(step.calibrating());
    EXPECT_TRUE(sim.messages.shown().empty());
    EXPECT_FALSE(step.frHTLabels()->isHidden());
    EXPECT_TRUE(step.frCmdPrg()->isHidden());
    EXPECT_EQ(step.lblCmdProgress()->text(), QStringLiteral("Compass 0/1"));
    EXPECT_TRUE(step.cmdSpaceCmd()->isEnabled());

    board.forget();
    step.setHTCalibration(false);
    initialize();
    EXPECT_EQ(board.keys(), "##C") << "the first toggle left the factory space the start before entered";
    EXPECT_TRUE(step.frHTLabels()->isHidden());
}

TEST_F(LevelCal, ManualStopNextAndBackEachEndTheCalibrationWithABlank)
{
    initialize();
    board.forget();
    step.cmdSpaceCmd()->click();
    EXPECT_EQ(board.spaces(), 1);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(step.calibrating());
    EXPECT_FALSE(step.cmdSpaceCmd()->isEnabled());
    EXPECT_TRUE(step.ValidateStep());
    step.OnValidatedStep();
    EXPECT_EQ(board.spaces(), 2);
    EXPECT_FALSE(step.isShowingData());
    EXPECT_FALSE(compass->HoldsBuffer);

    initialize();
    board.forget();
    step.RollBack();
    EXPECT_EQ(board.spaces(), 1);
    EXPECT_FALSE(step.isShowingData()) << "the compass may be replaced before the step shows again";
}

TEST_F(LevelCal, TheOutputBoxShowsTheRawInputAndEmptiesPastFiveThousandCharacters)
{
    initialize();
    sim.advance(200);
    step.txtInput()->clear();
    for (int tick = 1; tick <= 3; ++tick) {
        com->deliver(std::string(1500, 'a'));
        sim.advance(200);
        EXPECT_EQ(step.txtInput()->toPlainText().size(), 1500 * tick);
    }
    com->deliver(std::string(1500, 'a'));
    sim.advance(200);
    EXPECT_TRUE(step.txtInput()->toPlainText().isEmpty());
    com->deliver("Bridge");
    sim.advance(200);
    EXPECT_EQ(step.txtInput()->toPlainText(), QStringLiteral("Bridge"));
}

TEST_F(ZCal, StartsTheZCalibrationWithoutTheFactoryKeyAndAsksItsOwnQuestion)
{
    initialize();
    EXPECT_EQ(board.keys(), ")");
    EXPECT_EQ(step.StepText(), QStringLiteral("Reference Compass Z Calibration"));
    sim.messages.queueAnswer(platform::MessageResult::No);
    EXPECT_FALSE(step.ValidateStep());
    EXPECT_EQ(sim.messages.texts(), QStringList{QStringLiteral("Would you like to complete Z Calibration?")});

    step.setHTCalibration(false);
    board.silentKeys.insert('Z');
    board.forget();
    initialize();
    EXPECT_EQ(board.keys(), "Z");
    EXPECT_EQ(sim.messages.texts().last(), QStringLiteral("Can't start 90° Calibration on Reference Compass"));
}

} // namespace
