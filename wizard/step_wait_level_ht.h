#pragma once
#include "wizard/temperature_wait_step.h"
#include "wizard/wait_conditions.h"

namespace wizard {

// Step 1: the board is heated to 55 °C, then cools to 50 °C while it lies level.
class StepWaitLevelHT : public TemperatureWaitStep {
    Q_OBJECT
public:
    StepWaitLevelHT(platform::Platform &platform, Threshold threshold, QWidget *parent = nullptr);

    QString StepText() const override;
    // Asks before leaving a board that never reached 55 °C.
    bool ValidateStep() override;

    const HeatCycle &heatCycle() const { return m_heat; }
    QLabel *lblSHTLMinTemp1OK() const { return m_lblSHTLMinTemp1OK; }
    QLabel *lblSHTLMinTemp2OK() const { return m_lblSHTLMinTemp2OK; }

protected:
    void prepare() override;
    bool attitudeRight(float pitch, float roll, float threshold) const override;
    bool temperatureReady(float temperature) override;
    std::int16_t tiltAngle() const override { return 0; }

private:
    HeatCycle m_heat;
    QLabel *m_lblSHTLMinTemp1;
    QLabel *m_lblSHTLMinTemp2;
    QLabel *m_lblSHTLMinTemp1OK;
    QLabel *m_lblSHTLMinTemp2OK;
};

} // namespace wizard
