#pragma once
#include <QWidget>

namespace device { class clsCompass; class clsAutomation; }

namespace wizard {

// The shared part of every wizard step: the reference compass and the fixture
// it was given. The steps of this wizard have no compasses under test (the
// fixture is never connected), so the base keeps no collection of them.
class StepBase {
public:
    device::clsCompass *RefCompass() const { return m_refCompass; }
    device::clsAutomation *BoardAutomation() const { return m_automation; }

    void InitializeStep(device::clsCompass *RefCompass, device::clsAutomation *Automation)
    {
        m_refCompass = RefCompass;
        m_automation = Automation;
    }
    bool ValidateStep() const { return true; }

private:
    device::clsCompass *m_refCompass = nullptr;
    device::clsAutomation *m_automation = nullptr;
};

// The contract every step of the wizard keeps with the frame.
class WizardStep : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual QString StepText() const = 0;
    // The step is about to be shown (every time, after Back too). A step may
    // replace either reference; the frame takes them back.
    virtual void InitializeStep(device::clsCompass *&RefCompass, device::clsAutomation *&Automation) = 0;
    // The step is shown and the buttons are set.
    virtual void InitializedStep() = 0;
    // Next was pressed or the step finished; false keeps the wizard here.
    virtual bool ValidateStep() = 0;
    // ValidateStep passed; the frame leaves the step next.
    virtual void OnValidatedStep() = 0;
    // Back was pressed; the frame leaves the step next.
    virtual void RollBack() = 0;

signals:
    // The step finished by itself.
    void OnStepDone();
};

} // namespace wizard
