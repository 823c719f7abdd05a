#pragma once
#include "wizard/temperature_wait_step.h"

namespace wizard {

// Step 3: the board stays at 40 °C or more while rolled to 90 degrees.
class StepWait90DegreeHT : public TemperatureWaitStep {
    Q_OBJECT
public:
    StepWait90DegreeHT(platform::Platform &platform, Threshold threshold, QWidget *parent = nullptr);

    QString StepText() const override;
    QLabel *lblWarnTemp() const { return m_lblWarnTemp; }

protected:
    void prepare() override;
    bool attitudeRight(float pitch, float roll, float threshold) const override;
    bool temperatureReady(float temperature) override;
    std::int16_t tiltAngle() const override { return 90; }

private:
    QLabel *m_lblWarnTemp;
};

} // namespace wizard
