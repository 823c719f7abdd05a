#pragma once
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

namespace device { class clsCompass; class clsAutomation; }

namespace wizard {

// Compasses under test, in the order they were added, each under its key.
class TestCompassCollection {
public:
    struct Entry {
        std::string key;
        device::clsCompass *compass;
    };
    void add(device::clsCompass &compass);
    const std::vector<Entry> &entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

// The shared part of every wizard step: the compasses and the fixture it was given.
class StepBase {
public:
    device::clsCompass *RefCompass() const { return m_refCompass; }
    // Position `Id` counted from 1; null when there is no such position.
    device::clsCompass *TestCompass(std::int16_t Id) const;
    const TestCompassCollection &TestCompasses() const { return m_testCompasses; }
    std::int16_t CompassesUnderTest() const;
    device::clsAutomation *BoardAutomation() const { return m_automation; }

    // Keeps the compass and the fixture; copies the collection, keying each
    // compass "c" followed by its Id.
    void InitializeStep(device::clsCompass *&RefCompass, const TestCompassCollection &TestCompasses,
                        device::clsAutomation *&Automation);
    bool ValidateStep() const { return true; }

private:
    device::clsCompass *m_refCompass = nullptr;
    device::clsAutomation *m_automation = nullptr;
    TestCompassCollection m_testCompasses;
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
