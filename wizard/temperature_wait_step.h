#pragma once
#include "platform/platform.h"
#include "wizard/step_base.h"

#include <cstdint>
#include <functional>
#include <memory>

class QFrame;
class QGridLayout;
class QLabel;

namespace wizard {

class Delayer;

// The shared part of the two wait steps: five times a second it shows the
// reference compass's readings and checks the board's attitude and
// temperature; once both have held for DoneDelay ms the step finishes.
class TemperatureWaitStep : public WizardStep {
    Q_OBJECT
public:
    static constexpr int CheckMs = 200;
    // The angle tolerance in degrees, read at every check.
    using Threshold = std::function<float()>;

    TemperatureWaitStep(platform::Platform &platform, Threshold threshold, QWidget *parent);
    ~TemperatureWaitStep() override;

    // 0: finish at the first check that finds the board ready.
    void setDoneDelay(std::int32_t ms) { m_doneDelay = ms; }

    void InitializeStep(device::clsCompass *&RefCompass, device::clsAutomation *&Automation) override;
    void InitializedStep() override;
    bool ValidateStep() override;
    void OnValidatedStep() override;
    void RollBack() override;

    // One check, as the timer runs it.
    void tmrSHTLShowData_Timer();
    bool isChecking() const;

    Delayer *Delayer1() const { return m_delayer1; }
    QLabel *lblSHTLWarn() const { return m_lblSHTLWarn; }
    QLabel *lblSHTLHeading() const { return m_lblSHTLHeading; }
    QLabel *lblSHTLPitch() const { return m_lblSHTLPitch; }
    QLabel *lblSHTLRoll() const { return m_lblSHTLRoll; }
    QLabel *lblSHTLTemp() const { return m_lblSHTLTemp; }

protected:
    const StepBase &base() const { return m_base; }
    platform::Platform &platformRef() { return m_platform; }
    // Where a step puts its own temperature marks and texts, under the readings.
    QGridLayout *detailGrid() const { return m_detailGrid; }
    void setWarningText(const QString &text);
    void setInstruction(const QString &text, const char *objectName);

    // Each step: clears what it latches and sets its texts.
    virtual void prepare() = 0;
    // The attitude the step holds the board to.
    virtual bool attitudeRight(float pitch, float roll, float threshold) const = 0;
    // Takes the temperature of this check; true when it lets the step finish.
    virtual bool temperatureReady(float temperature) = 0;
    // The angle the fixture tilts the board to.
    virtual std::int16_t tiltAngle() const = 0;

private:
    void finish();
    void showReadings();

    platform::Platform &m_platform;
    Threshold m_threshold;
    StepBase m_base;
    std::int32_t m_doneDelay = 0;
    std::unique_ptr<platform::Timer> m_tmrSHTLShowData;
    QFrame *m_frStep;
    QLabel *m_lblSHTLHeading;
    QLabel *m_lblSHTLPitch;
    QLabel *m_lblSHTLRoll;
    QLabel *m_lblSHTLTemp;
    QLabel *m_instruction;
    QLabel *m_lblSHTLWarn;
    QLabel *m_imgSHTLWarn;
    QGridLayout *m_detailGrid;
    Delayer *m_delayer1;
};

} // namespace wizard
