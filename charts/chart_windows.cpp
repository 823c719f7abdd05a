#include "charts/chart_windows.h"

#include "controls/xp_button.h"

namespace charts {

frmMagGraph::frmMagGraph(QWidget *parent) : ChartWindow(ChartId::Mag, parent)
{
    m_cmdCalCheck = addButton(tr("Calibration Check"), "cmdCalCheck");
    m_cmdCalCheck->setAccessibleName(tr("Open the magnetic calibration check"));
}

ChartWindows::ChartWindows(platform::FileDialog &files, platform::MessageBox &messages)
{
    for (ChartId id : CreationOrder) {
        std::unique_ptr<ChartWindow> &made = m_windows[id];
        made = id == ChartId::Mag ? std::make_unique<frmMagGraph>() : std::make_unique<ChartWindow>(id);
        made->offerChartMenu(files, messages);
    }
}

void ChartWindows::show(ChartId id)
{
    ChartWindow &shown = window(id);
    shown.show();
    shown.raise();
    shown.activateWindow();
}

} // namespace charts
