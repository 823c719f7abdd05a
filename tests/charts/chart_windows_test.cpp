#include "charts/chart_windows.h"
#include "controls/xp_button.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace charts;

// What the window system sends when the user closes the window from its title bar.
bool closeFromTitleBar(QWidget &window)
{
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    // sendEvent() would clear the mark, so deliver it as the event loop does.
    QApplication::instance()->notify(&window, &close);
    return close.isAccepted();
}

QStringList legendTexts(QWidget &window)
{
    QStringList texts;
    for (QLabel *label : window.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

struct Expected {
    QString windowName;
    QString caption;
    QString chartName;
    QString verticalTitle;
    QStringList traceNames;
    QStringList legend;
};

void expectWindow(ChartWindow &window, StripChartWidget &chart, const Expected &expected)
{
    EXPECT_EQ(window.objectName(), expected.windowName);
    EXPECT_EQ(window.windowTitle(), expected.caption);
    EXPECT_FALSE(window.isVisible());
    // Hidden or shown, it never keeps the program running.
    EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(chart.objectName(), expected.chartName);
    EXPECT_EQ(chart.horizontalTitle(), QStringLiteral("Samples"));
    EXPECT_EQ(chart.verticalTitle(), expected.verticalTitle);
    ASSERT_EQ(chart.traceCount(), expected.traceNames.size());
    for (int trace = 0; trace < chart.traceCount(); ++trace)
        EXPECT_EQ(chart.traceStyle(trace).name, expected.traceNames[trace]);
    EXPECT_EQ(legendTexts(window), expected.legend);
    auto *close = window.findChild<controls::XPButton *>(QStringLiteral("cmdClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    EXPECT_EQ(close->font().family(), QStringLiteral("Verdana"));
}

TEST(ChartWindows, CompassWindow)
{
    ChartWindow window(ChartId::Cmp);
    expectWindow(window, window.chart(),
                 {"frmCmpGraph", "Compass Data Graph", "graphCmp", "Data", {"Heading", "Pitch", "Roll"},
                  {"Heading", "Roll", "Pitch"}});
    EXPECT_EQ(window.chart().traceStyle(0).colour, QColor(255, 0, 0));
    EXPECT_EQ(window.chart().traceStyle(1).colour, QColor(255, 128, 64));
    EXPECT_EQ(window.chart().traceStyle(2).colour, QColor(0, 255, 0));
}

TEST(ChartWindows, MagneticWindow)
{
    frmMagGraph window;
    expectWindow(window, window.graphMag(),
                 {"frmMagGraph", "Magnometer Mag Graph", "graphMag", "Magnetic Field", {"M", "Mx", "My", "Mz"},
                  {"M", "Mx", "My", "Mz"}});
    EXPECT_EQ(window.graphMag().traceStyle(1).colour, QColor(255, 128, 64));
    EXPECT_EQ(window.graphMag().traceStyle(3).colour, QColor(0, 0, 255));
}

TEST(ChartWindows, AccelerationWindow)
{
    ChartWindow window(ChartId::Acc);
    expectWindow(window, window.chart(),
                 {"frmAccGraph", "Accelerometer Data Graph", "graphAcc", "Acceleration (Normalized 1 G)",
                  {"A", "Ax", "Ay", "Az"}, {"A", "Ax", "Ay", "Az"}});
    EXPECT_EQ(window.chart().traceStyle(0).colour, QColor(255, 0, 0));
    EXPECT_EQ(window.chart().traceStyle(2).colour, QColor(0, 255, 0));
}

TEST(ChartWindows, LegendSquaresHaveTheLegendColours)
{
    ChartWindow window(ChartId::Cmp);
    QList<QColor> squares;
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->text().isEmpty())
            squares << label->pixmap().toImage().pixelColor(0, 0);
    EXPECT_EQ(squares, (QList<QColor>{QColor(255, 0, 0), QColor(0, 255, 0), QColor(255, 128, 0)}));
}

TEST(ChartWindows, TitleBarCloseAndCloseButtonHideKeepingTheDataButTheProgramsCloseGoesThrough)
{
    frmMagGraph window;
    window.show();
    window.graphMag().addPoint(0, 1, 10);
    EXPECT_FALSE(closeFromTitleBar(window));
    EXPECT_FALSE(window.isVisible());
    window.graphMag().addPoint(0, 2, 20);
    window.show();
    EXPECT_EQ(window.graphMag().tracePoints(0).size(), 2);

    QTest::keyClick(window.findChild<controls::XPButton *>(QStringLiteral("cmdClose")), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_TRUE(window.close());
}

} // namespace
