#include "charts/chart_windows.h"
#include "platform/sim/sim_platform.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class ChartMenuTest : public ::testing::Test {
protected:
    ChartMenuTest() { window.offerChartMenu(sim.files, sim.messages); }

    void trigger(const char *action) { window.findChild<QAction *>(action)->trigger(); }
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    static QByteArray bytes(const QString &file)
    {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void feedHeading(int from, int to)
    {
        for (int x = from; x <= to; ++x)
            chart.addPoint(0, x, x * 0.5);
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim{dir.path()};
    charts::ChartWindow window{charts::ChartId::Cmp};
    charts::StripChartWidget &chart = window.chart();
};

TEST_F(ChartMenuTest, ExportWritesThePointsShownWhenAskedWithOneColumnPerTrace)
{
    const double gap = std::numeric_limits<double>::quiet_NaN();
    chart.setVisibleSpan(50);
    // x, trace, y; sample 1 has scrolled out of the span, sample 102 holds a heading only.
    for (const auto &[x, trace, y] : std::vector<std::tuple<int, int, double>>{
             {1, 0, 5}, {100, 0, 328.1}, {100, 1, -0.4}, {100, 2, 1.2}, {101, 0, 328.25}, {101, 1, gap},
             {101, 2, 1.2}, {102, 0, 0.1}, {103, 0, 1e-7}, {103, 1, 300}, {103, 2, -2}})
        chart.addPoint(trace, x, y);
    // Data goes on arriving while the user picks the file.
    auto feed = sim.platform.timers.createTimer();
    feed->setTickHandler([this] { feedHeading(104, 104); });
    feed->setInterval(100);
    feed->setEnabled(true);
    sim.files.queueAnswer(path("cmp.csv"));

    trigger("mnuExportData");
    // Columns in the legend's order.
    EXPECT_EQ(bytes(path("cmp.csv")).toStdString(), "Samples,Heading,Roll,Pitch\n"
                                                    "100,328.1,1.2,-0.4\n"
                                                    "101,328.25,1.2,\n"
                                                    "102,0.1,,\n"
                                                    "103,1e-07,-2,300\n");
    ASSERT_EQ(sim.files.requests().size(), 1u);
    EXPECT_TRUE(sim.files.requests()[0].saveDialog);
    EXPECT_TRUE(sim.files.requests()[0].confirmOverwrite);
}

TEST_F(ChartMenuTest, PauseKeepsCollectingAndResumeJumpsToTheNewest)
{
    chart.setVisibleSpan(50);
    feedHeading(1, 100);
    trigger("mnuPause");
    feedHeading(101, 300);
    EXPECT_EQ(chart.tracePoints(0).size(), 300);
    EXPECT_EQ(chart.horizontalRange().maximum, 100);
    // The export while paused holds what the frozen chart shows: samples 50 to 100.
    sim.files.queueAnswer(path("paused.csv"));
    trigger("mnuExportData");
    const QList<QByteArray> lines = bytes(path("paused.csv")).split('\n');
    ASSERT_EQ(lines.size(), 53); // header, 51 rows, nothing after the last line end
    EXPECT_EQ(lines[1], "50,25,,");
    EXPECT_EQ(lines[51], "100,50,,");

    trigger("mnuPause");
    EXPECT_FALSE(chart.isPaused());
    EXPECT_EQ(chart.horizontalRange().maximum, 300);
    EXPECT_EQ(chart.shownPoints(0).size(), 300);
}

TEST(ChartLegendTest, ATraceUnderEqualValuesIsMarkedInTheLegend)
{
    charts::frmMagGraph window;
    auto &chart = window.graphMag();
    const auto labels = [&] {
        QStringList texts;
        for (const QLabel *label : window.legend().findChildren<QLabel *>())
            if (!label->text().isEmpty())
                texts << label->text();
        return texts;
    };
    for (int x = 1; x <= 20; ++x)
        for (int trace : {0, 1, 2, 3})
            chart.addPoint(trace, x, trace == 0 ? 50 : trace == 1 ? x : 0);
    chart.grab();
    EXPECT_EQ(labels(), (QStringList{"M", "Mx", "My (under Mz)", "Mz"}));

    chart.addPoint(2, 21, 1);
    chart.addPoint(3, 21, 0);
    chart.grab();
    EXPECT_EQ(labels(), (QStringList{"M", "Mx", "My", "Mz"}));
}

} // namespace
