#pragma once
#include "charts/chart_window.h"

#include <memory>

namespace charts {

// The magnetic chart's window: its Calibration Check button opens the check
// of the field's calibration.
class frmMagGraph : public ChartWindow {
    Q_OBJECT
public:
    explicit frmMagGraph(QWidget *parent = nullptr);
    StripChartWidget &graphMag() { return chart(); }
    controls::XPButton &cmdCalCheck() { return *m_cmdCalCheck; }

private:
    controls::XPButton *m_cmdCalCheck;
};

// A window for every row of the chart table, without an owner, loaded hidden
// in CreationOrder, each with its chart menu.
class ChartWindows {
public:
    ChartWindows(platform::FileDialog &files, platform::MessageBox &messages);

    ChartWindow &window(ChartId id) { return *m_windows[id]; }
    StripChartWidget &chart(ChartId id) { return window(id).chart(); }
    frmMagGraph &magGraph() { return static_cast<frmMagGraph &>(window(ChartId::Mag)); }
    // Shows the window over the others, as its "Show Graph" button does.
    void show(ChartId id);

private:
    PerChart<std::unique_ptr<ChartWindow>> m_windows;
};

} // namespace charts
