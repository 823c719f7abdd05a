#pragma once
#include "charts/chart_legend.h"
#include "charts/chart_table.h"
#include "charts/strip_chart_widget.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"

#include <QWidget>
#include <vector>

class QHBoxLayout;
namespace controls { class XPButton; }

namespace charts {

// A window holding one strip chart of the chart table, its legend and a Close button. It
// hides instead of closing when the user closes it, so its chart keeps
// collecting; a close the program asks for goes through.
class ChartWindow : public QWidget {
    Q_OBJECT

public:
    static const QString HorizontalTitle;

    explicit ChartWindow(ChartId id, QWidget *parent = nullptr);

    ChartId id() const { return m_id; }
    StripChartWidget &chart() { return *m_chart; }
    ChartLegend &legend() { return *m_legend; }
    // Gives the chart its context menu (pause, save image, export data).
    void offerChartMenu(platform::FileDialog &files, platform::MessageBox &messages);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A button of the window's own, left of Close and before it in the Tab order.
    controls::XPButton *addButton(const QString &caption, const char *objectName);

private:
    ChartId m_id;
    StripChartWidget *m_chart;
    ChartLegend *m_legend;
    controls::XPButton *m_cmdClose;
    QHBoxLayout *m_bottomRow;
};

} // namespace charts
