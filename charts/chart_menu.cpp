#include "charts/chart_menu.h"

#include "charts/shown_points.h"
#include "charts/strip_chart_widget.h"

#include <QBuffer>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>

namespace charts {

namespace {

// The chart with its legend below it, at the screen's pixel density.
QImage chartWithLegend(StripChartWidget &chart, QWidget &legend)
{
    const QPixmap plot = chart.reportImage();
    const QPixmap key = legend.grab();
    const int gap = 6;
    const QSizeF size(plot.deviceIndependentSize().width(),
                      plot.deviceIndependentSize().height() + key.deviceIndependentSize().height() + 2 * gap);
    QImage image((size * plot.devicePixelRatio()).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(plot.devicePixelRatio());
    image.fill(legend.palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, plot);
    painter.drawPixmap(QPointF(gap, plot.deviceIndependentSize().height() + gap), key);
    return image;
}

QString writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace

ChartMenu::ChartMenu(StripChartWidget &chart, QWidget &legend, std::vector<ExportColumn> columns,
                     platform::FileDialog &files, platform::MessageBox &messages)
    : QObject(&chart), m_chart(chart), m_legend(legend), m_columns(std::move(columns)), m_files(files),
      m_messages(messages), m_menu(new QMenu(&chart))
{
    m_menu->setObjectName(QStringLiteral("mnuChart"));
    m_pause = addAction(tr("&Pause"), "mnuPause", QKeySequence(Qt::Key_P));
    connect(m_pause, &QAction::triggered, this, [this] { m_chart.setPaused(!m_chart.isPaused()); });
    m_menu->addSeparator();
    connect(addAction(tr("Save &Image..."), "mnuSaveImage", QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &ChartMenu::saveImage);
    connect(addAction(tr("&Export Data..."), "mnuExportData", QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &ChartMenu::exportData);
    // The caption tells what a click does now.
    connect(m_menu, &QMenu::aboutToShow, this,
            [this] { m_pause->setText(m_chart.isPaused() ? tr("&Resume") : tr("&Pause")); });

    chart.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&chart, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_chart.mapToGlobal(at)); });
}

QAction *ChartMenu::addAction(const QString &text, const char *objectName, const QKeySequence &shortcut)
{
    QAction *action = m_menu->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    // The keys work wherever the chart has the focus, menu open or not.
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    m_chart.addAction(action);
    return action;
}

void ChartMenu::saveImage()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    chartWithLegend(m_chart, m_legend).save(&buffer, "PNG");
    platform::FileDialogRequest request{tr("Save Chart Image"), tr("PNG Image (*.png)|*.png"),
                                        m_chart.accessibleName() + QStringLiteral(".png"), false, true, true,
                                        QStringLiteral("png")};
    save(request, png, tr("chart image"));
}

void ChartMenu::exportData()
{
    std::vector<QString> names;
    std::vector<const TraceBuffer *> traces;
    for (const ExportColumn &column : m_columns) {
        names.push_back(column.name);
        traces.push_back(&m_chart.shownPoints(column.trace));
    }
    const QByteArray csv = chartCsv(m_chart.horizontalTitle(), names, traces, m_chart.horizontalRange());
    platform::FileDialogRequest request{tr("Export Chart Data"), tr("CSV File (*.csv)|*.csv"),
                                        m_chart.accessibleName() + QStringLiteral(".csv"), false, true, true,
                                        QStringLiteral("csv")};
    save(request, csv, tr("chart data"));
}

void ChartMenu::save(const platform::FileDialogRequest &request, const QByteArray &bytes, const QString &what)
{
    const std::optional<QString> path = m_files.choose(request);
    if (!path)
        return;
    const QString error = writeWhole(*path, bytes);
    if (!error.isEmpty())
        m_messages.show(tr("The %1 could not be saved to %2: %3").arg(what, *path, error),
                        platform::MessageIcon::Exclamation, platform::MessageButtons::Ok,
                        tr("Choose another folder, or free some space, and save again."));
}

} // namespace charts
