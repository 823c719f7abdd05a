#pragma once
#include "controls/gauge.h"

namespace controls {

// The attitude instrument: an artificial horizon that tilts with roll and
// moves with pitch, with a pitch ladder, a roll scale and a heading readout.
// Reads heading, pitch and roll from dispatch numbers 79, 72 and 73.
class AttitudeIndicator : public Gauge {
    Q_OBJECT

public:
    explicit AttitudeIndicator(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool changesPicture(int dispatchNumber, double before, double after) const override;
};

} // namespace controls
