#include "wizard/ref_cal_step.h"
#include "wizard_bench.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

template <typename Step> class RefCalStepTest : public WizardBench {
protected:
    RefCalStepTest() : step(sim.platform)
    {
        QObject::connect(&step, &wizard::WizardStep::OnStepDone, [this] { ++done; });
    }

    // A compass that has said something, so that it counts as alive.
    void aliveCompass()
    {
        startCompass();
        reading(0.0f, 0.0f, 0.0f, 25.0f);
        ASSERT_EQ(host.compass->Status(), device::LinkStatus::Alive);
    }
    void initialize()
    {
        device::clsCompass *compass = host.compass.get();
        device::clsAutomation *fixture = &automation;
        step.InitializeStep(compass, fixture);
        step.InitializedStep();
    }

    Step step;
    int done = 0;
};

using LevelCal = RefCalStepTest<wizard::StepRefLevelCal>;
using ZCal = RefCalStepTest<wizard::StepRefZCal>;

TEST_F(LevelCal, StartsTheHighTemperatureLevelCalibrationInFactorySpace)
{
    aliveCompass();
    initialize();
    EXPECT_EQ(board.keys(), "#(");
    EXPECT_EQ(board.spaces(), 1);
    // The blank goes out before the menu keys.
    EXPECT_EQ(com->written().front().bytes, " ");
    EXPECT_TRUE(step.calibrating());
    EXPECT_TRUE(sim.messages.shown().empty());
    EXPECT_FALSE(step.frHTLabels()->isHidden());
    EXPECT_TRUE(step.frCmdPrg()->isHidden());
    EXPECT_TRUE(step.progressFull());
    EXPECT_EQ(step.lblCmdProgress()->text(), QStringLiteral("Compass 0/1"));
    EXPECT_TRUE(step.cmdSpaceCmd()->isEnabled());
    EXPECT_TRUE(host.compass->HoldsBuffer);
    EXPECT_TRUE(step.isShowingData());
}

TEST_F(LevelCal, WithoutHighTemperatureUsesThePlainLevelKeyAndHidesTheLabels)
{
    aliveCompass();
    step.setHTCalibration(false);
    initialize();
    EXPECT_EQ(board.keys(), "#C");
    EXPECT_TRUE(step.frHTLabels()->isHidden());
}

TEST_F(LevelCal, ARefusedStartIsReportedAndLeavesNothingToComplete)
{
    aliveCompass();
    board.silentKeys.insert('(');
    initialize();
    EXPECT_EQ(sim.messages.texts(), QStringList{QStringLiteral("Can't start Level Calibration on Reference Compass")});
    EXPECT_FALSE(step.calibrating());
    EXPECT_TRUE(step.ValidateStep());
}

TEST_F(LevelCal, ACompassNotAliveIsReportedAndNothingIsSent)
{
    startCompass();
    initialize();
    EXPECT_EQ(sim.messages.texts(),
              QStringList{QStringLiteral("Warning: Reference Compass isn't in Alive status. Current status is: Listening")});
    EXPECT_TRUE(com->written().empty());
    EXPECT_TRUE(step.ValidateStep());
    EXPECT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_TRUE(step.cmdSpaceCmd()->isEnabled());
}

TEST_F(LevelCal, ManualStopNextAndBackEachEndTheCalibration)
{
    aliveCompass();
    initialize();
    board.forget();
    step.cmdSpaceCmd()->click();
    EXPECT_EQ(board.spaces(), 1);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(step.calibrating());
    EXPECT_FALSE(step.cmdSpaceCmd()->isEnabled());

    EXPECT_TRUE(step.ValidateStep());
    EXPECT_TRUE(sim.messages.shown().empty());
    step.OnValidatedStep();
    EXPECT_EQ(board.spaces(), 2);
    EXPECT_FALSE(step.isShowingData());
    EXPECT_FALSE(host.compass->HoldsBuffer);

    // Back ends a calibration too and stops reading a compass that may be replaced.
    initialize();
    board.forget();
    step.RollBack();
    EXPECT_EQ(board.spaces(), 1);
    EXPECT_FALSE(step.isShowingData());
    EXPECT_FALSE(host.compass->HoldsBuffer);
}

TEST_F(LevelCal, NextWhileCalibratingAsksAndNoKeepsTheCalibrationRunning)
{
    aliveCompass();
    initialize();
    sim.messages.queueAnswer(platform::MessageResult::No);
    EXPECT_FALSE(step.ValidateStep());
    EXPECT_EQ(sim.messages.texts(),
              QStringList{QStringLiteral("Would you like to complete the Level Calibration? Click yes to continue")});
    EXPECT_TRUE(step.calibrating());
    EXPECT_TRUE(step.ValidateStep());
}

TEST_F(LevelCal, TheOutputBoxShowsTheRawInputAndEmptiesPastFiveThousandCharacters)
{
    aliveCompass();
    initialize();
    sim.advance(200);
    step.txtInput()->clear();
    const std::string chunk(1500, 'a');
    for (int tick = 1; tick <= 3; ++tick) {
        board.sendText(chunk);
        sim.advance(200);
        EXPECT_EQ(step.txtInput()->toPlainText().size(), 1500 * tick);
    }
    board.sendText(chunk);
    sim.advance(200);
    EXPECT_TRUE(step.txtInput()->toPlainText().isEmpty());
    board.sendText("Bridge");
    sim.advance(200);
    EXPECT_EQ(step.txtInput()->toPlainText(), QStringLiteral("Bridge"));
}

TEST_F(ZCal, StartsTheHighTemperatureZCalibrationWithoutTheFactoryKey)
{
    aliveCompass();
    initialize();
    EXPECT_EQ(board.keys(), ")");
    EXPECT_EQ(board.spaces(), 1);
    EXPECT_TRUE(step.calibrating());
    EXPECT_EQ(step.StepText(), QStringLiteral("Reference Compass Z Calibration"));
}

TEST_F(ZCal, PlainZKeyAndItsOwnMessages)
{
    aliveCompass();
    step.setHTCalibration(false);
    board.silentKeys.insert('Z');
    initialize();
    EXPECT_EQ(board.keys(), "Z");
    EXPECT_EQ(sim.messages.texts(), QStringList{QStringLiteral("Can't start 90° Calibration on Reference Compass")});

    board.silentKeys.clear();
    initialize();
    sim.messages.clear();
    sim.messages.queueAnswer(platform::MessageResult::No);
    EXPECT_FALSE(step.ValidateStep());
    EXPECT_EQ(sim.messages.texts(), QStringList{QStringLiteral("Would you like to complete Z Calibration?")});
}

} // namespace
