#pragma once
#include "controls/gauge.h"

namespace controls {

// The heading instrument: a compass card turning under a fixed lubber mark,
// with a heading bug and a readout. The card and readout follow dispatch
// number 79, the bug 83; 12 is kept like any other number.
class HeadingIndicator : public Gauge {
    Q_OBJECT

public:
    explicit HeadingIndicator(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void drawFace(QPainter &painter) const override;
    bool changesPicture(int dispatchNumber, double before, double after) const override;
};

} // namespace controls
