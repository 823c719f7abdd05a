#pragma once
#include "charts/chart_window.h"

namespace charts {

// Heading, pitch and roll: traces 0, 1 and 2.
class frmCmpGraph : public ChartWindow {
    Q_OBJECT
public:
    explicit frmCmpGraph(QWidget *parent = nullptr);
    StripChartWidget &graphCmp() { return chart(); }
};

// Magnetic field magnitude, X, Y and Z: traces 0 to 3. Its Calibration Check
// button opens the check of the field's calibration.
class frmMagGraph : public ChartWindow {
    Q_OBJECT
public:
    explicit frmMagGraph(QWidget *parent = nullptr);
    StripChartWidget &graphMag() { return chart(); }
    controls::XPButton &cmdCalCheck() { return *m_cmdCalCheck; }

private:
    controls::XPButton *m_cmdCalCheck;
};

// Acceleration magnitude, X, Y and Z: traces 0 to 3.
class frmAccGraph : public ChartWindow {
    Q_OBJECT
public:
    explicit frmAccGraph(QWidget *parent = nullptr);
    StripChartWidget &graphAcc() { return chart(); }
};

} // namespace charts
