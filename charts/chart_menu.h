#pragma once
#include "platform/file_dialog.h"
#include "platform/message_box.h"

#include <QObject>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace charts {

class StripChartWidget;

// A chart's context menu: Pause/Resume, Save Image (PNG of the chart with its
// legend) and Export Data (CSV of the points shown, a column for each trace in
// `columns`, which is the legend's order). What is saved is what the chart
// showed when the user asked, whatever arrives while the file dialog is open.
// A column's header is the trace's name untranslated: the file is data, not window text.
struct ExportColumn {
    int trace;
    QString name;
};

class ChartMenu : public QObject {
    Q_OBJECT

public:
    ChartMenu(StripChartWidget &chart, QWidget &legend, std::vector<ExportColumn> columns, platform::FileDialog &files,
              platform::MessageBox &messages);

    QMenu &menu() { return *m_menu; }
    void saveImage();
    void exportData();

private:
    QAction *addAction(const QString &text, const char *objectName, const QKeySequence &shortcut);
    // Asks where, then writes `bytes` there whole or not at all; tells the user when it fails.
    void save(const platform::FileDialogRequest &request, const QByteArray &bytes, const QString &what);

    StripChartWidget &m_chart;
    QWidget &m_legend;
    std::vector<ExportColumn> m_columns;
    platform::FileDialog &m_files;
    platform::MessageBox &m_messages;
    QMenu *m_menu;
    QAction *m_pause;
};

} // namespace charts
