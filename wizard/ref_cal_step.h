#pragma once
#include "platform/platform.h"
#include "wizard/step_base.h"

#include <QFrame>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QAbstractButton;

namespace wizard {

// What tells the level and the Z calibration step apart.
struct RefCalKind {
    const char *stepText;
    const char *frameName;
    const char *instruction;
    const char *startFailure;
    const char *completeQuestion;
    // The level step sends the factory zone again before its start command.
    bool factoryZoneFirst;
    bool (device::clsCompass::*start)();
    bool (device::clsCompass::*startHighTemp)();
};

// A calibration of the reference compass while the operator turns the board:
// started when the step is prepared, its raw output shown five times a
// second, ended by "Manual Stop" or when the wizard leaves the step.
class RefCalStep : public WizardStep {
    Q_OBJECT
public:
    static constexpr int ShowDataMs = 200;
    static constexpr int OutputLimit = 5000;

    RefCalStep(platform::Platform &platform, const RefCalKind &kind, QWidget *parent);
    ~RefCalStep() override;

    QString StepText() const override;
    bool HTCalibration() const { return m_htCalibration; }
    void setHTCalibration(bool on);
    void SetStopFocus();

    void InitializeStep(device::clsCompass *&RefCompass, device::clsAutomation *&Automation) override;
    void InitializedStep() override;
    bool ValidateStep() override;
    void OnValidatedStep() override;
    void RollBack() override;

    void cmdSpaceCmd_Click();
    void tmrShowData_Timer();

    bool calibrating() const { return m_calibrating; }
    bool isShowingData() const;
    QAbstractButton *cmdSpaceCmd() const { return m_cmdSpaceCmd; }
    QPlainTextEdit *txtInput() const { return m_txtInput; }
    QWidget *frHTLabels() const { return m_frHTLabels; }
    QWidget *frCmdPrg() const { return m_frCmdPrg; }
    QLabel *lblCmdProgress() const { return m_lblCmdProgress; }
    // The hatched bar's share of the outline, 0 or 1.
    bool progressFull() const;

private:
    void setProgressFull(bool full);
    void stopShowingData();

    platform::Platform &m_platform;
    const RefCalKind &m_kind;
    StepBase m_base;
    bool m_htCalibration = true;
    bool m_calibrating = false;
    std::unique_ptr<platform::Timer> m_tmrShowData;
    QFrame *m_frame;
    QAbstractButton *m_cmdSpaceCmd;
    QWidget *m_frHTLabels;
    QPlainTextEdit *m_txtInput;
    QFrame *m_frCmdPrg;
    QLabel *m_lblCmdProgress;
    QFrame *m_shpCmdPrg1;
    QWidget *m_shpCmdPrg2;
};

// Step 2: the reference compass's level calibration.
class StepRefLevelCal : public RefCalStep {
    Q_OBJECT
public:
    explicit StepRefLevelCal(platform::Platform &platform, QWidget *parent = nullptr);
};

// Step 4: the reference compass's 90 degree (Z) calibration.
class StepRefZCal : public RefCalStep {
    Q_OBJECT
public:
    explicit StepRefZCal(platform::Platform &platform, QWidget *parent = nullptr);
};

} // namespace wizard
