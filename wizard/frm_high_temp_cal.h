#pragma once
#include "wizard/wizard_host.h"

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

class QAbstractButton;
class QFrame;
class QLabel;

namespace device { class clsAutomation; class clsCompass; }

namespace wizard {

class StepRefLevelCal;
class StepRefZCal;
class StepWait90DegreeHT;
class StepWaitLevelHT;
class WizardStep;

// The high-temperature calibration wizard: four steps and a closing page,
// walked with Back and Next. It drives the reference compass on the main
// window's port; the steps read that compass.
class frmHighTempCal : public QDialog {
    Q_OBJECT
public:
    static constexpr std::int16_t FinalPage = 5;
    // The holding time the frame gives the wait steps.
    static constexpr std::int32_t WaitStepDoneDelay = 1000;

    explicit frmHighTempCal(WizardHost &host, QWidget *parent = nullptr);
    ~frmHighTempCal() override;

    // Window load: a new fixture, then step 1 is prepared and shown.
    void Form_Load();
    // Ignored while a wizard operation or a compass command is under way.
    void cmdNext_Click();
    void cmdBack_Click();

    std::int16_t CurrentStep() const { return m_currentStep; }
    device::clsCompass *RefCompass() const { return m_refCompass; }

    StepWaitLevelHT *StepRefWaitLevelHT1() const { return m_step1; }
    StepRefLevelCal *StepRefLevelCalHT1() const { return m_step2; }
    StepWait90DegreeHT *StepRefWait90DegreeHT1() const { return m_step3; }
    StepRefZCal *StepRefZCalHT1() const { return m_step4; }
    QFrame *frStepRefFinal() const { return m_frStepRefFinal; }
    QLabel *lblStep() const { return m_lblStep; }
    QLabel *lblStepDesc() const { return m_lblStepDesc; }
    QAbstractButton *cmdBack() const { return m_cmdBack; }
    QAbstractButton *cmdNext() const { return m_cmdNext; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    WizardStep *step(std::int16_t n) const;
    // Runs one frame operation; a step that finished meanwhile is moved on
    // from once the operation is over.
    void runOperation(const std::function<void()> &operation);
    bool busy() const;
    void onStepDone(std::int16_t n);
    void next();
    void back();
    void showStep(std::int16_t n);
    void prepareStep(std::int16_t n);
    void prepareReferenceCompass();
    void initializedStep(std::int16_t n);

    WizardHost &m_host;
    platform::Platform &m_platform;
    std::unique_ptr<device::clsAutomation> m_automation;
    device::clsCompass *m_refCompass = nullptr;
    std::int16_t m_currentStep = 1;
    int m_operationDepth = 0;
    // A step that finished while an operation ran; 0 for none.
    std::int16_t m_heldDone = 0;
    bool m_closed = false;

    StepWaitLevelHT *m_step1;
    StepRefLevelCal *m_step2;
    StepWait90DegreeHT *m_step3;
    StepRefZCal *m_step4;
    QFrame *m_frStepRefFinal;
    QLabel *m_lblStep;
    QLabel *m_lblStepDesc;
    QAbstractButton *m_cmdBack;
    QAbstractButton *m_cmdNext;
};

} // namespace wizard
