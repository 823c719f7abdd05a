#include "charts/chart_window.h"

#include "charts/chart_menu.h"
#include "controls/xp_button.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace charts {

const QString ChartWindow::HorizontalTitle = QStringLiteral("Samples");

namespace {

QColor colourOf(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

std::vector<LegendEntry> legendEntries(const ChartRow &row)
{
    std::vector<LegendEntry> entries;
    for (int trace : row.legendOrder) {
        const ChartTraceRow &shown = row.traces[static_cast<std::size_t>(trace)];
        entries.push_back({ChartText(shown.legend), colourOf(shown.legendColour)});
    }
    return entries;
}

} // namespace

ChartWindow::ChartWindow(ChartId id, QWidget *parent) : QWidget(parent, Qt::Window), m_id(id)
{
    const ChartRow &row = Chart(id);
    setObjectName(QLatin1String(row.windowName));
    setWindowTitle(ChartText(row.caption));
    // Hidden or shown, a chart window never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_chart = new StripChartWidget(this);
    m_chart->setObjectName(QLatin1String(row.chartName));
    m_chart->setAccessibleName(windowTitle());
    std::vector<TraceStyle> styles;
    for (const ChartTraceRow &trace : row.traces)
        styles.push_back({ChartText(trace.legend), colourOf(trace.traceColour)});
    m_chart->setTraces(styles);
    m_chart->setAxisTitles(HorizontalTitle, ChartText(row.verticalTitle));

    m_cmdClose = new controls::XPButton(tr("Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setFont(QFont(QStringLiteral("Verdana")));
    connect(m_cmdClose, &controls::XPButton::clicked, this, &QWidget::hide);

    m_legend = new ChartLegend(legendEntries(row), this);
    connect(m_chart, &StripChartWidget::coveringChanged, this, [this, order = row.legendOrder] {
        for (std::size_t entry = 0; entry < order.size(); ++entry) {
            const std::optional<int> top = m_chart->coveringTrace(order[entry]);
            m_legend->setHiddenUnder(static_cast<int>(entry), top ? m_chart->traceStyle(*top).name : QString());
        }
    });
    m_bottomRow = new QHBoxLayout;
    m_bottomRow->addWidget(m_legend, 1);
    m_bottomRow->addWidget(m_cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addLayout(m_bottomRow);
    resize(560, 340);
}

void ChartWindow::offerChartMenu(platform::FileDialog &files, platform::MessageBox &messages)
{
    const ChartRow &row = Chart(m_id);
    std::vector<ExportColumn> columns;
    for (const int trace : row.legendOrder)
        columns.push_back({trace, QString::fromLatin1(row.traces[static_cast<std::size_t>(trace)].legend)});
    new ChartMenu(*m_chart, *m_legend, std::move(columns), files, messages);
}

controls::XPButton *ChartWindow::addButton(const QString &caption, const char *objectName)
{
    auto *button = new controls::XPButton(caption, objectName, this);
    button->setFont(m_cmdClose->font());
    m_bottomRow->insertWidget(m_bottomRow->indexOf(m_cmdClose), button);
    setTabOrder(button, m_cmdClose);
    return button;
}

void ChartWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close box and the system menu arrive from the window
    // system; a close the program asks for itself does not.
    if (event->spontaneous()) {
        event->ignore();
        hide();
        return;
    }
    event->accept();
}

} // namespace charts
