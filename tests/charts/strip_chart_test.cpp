#include "charts/strip_chart_widget.h"
#include "tests/non_finite.h"
#include "tests/charts/chart_images.h"

#include <QApplication>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using charts::StripChartWidget;
using charts_test::isGreen;
using charts_test::isRed;
using charts_test::pixelsWhere;
using charts_test::snapshot;


class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class StripChartTest : public ::testing::Test {
protected:
    StripChartTest()
    {
        chart.setTraces({{QStringLiteral("Heading"), Qt::red}, {QStringLiteral("Pitch"), Qt::green}});
        chart.resize(400, 240);
    }

    void feed(int from, int to, double y = 0)
    {
        for (int x = from; x <= to; ++x) {
            chart.addPoint(0, x, y);
            chart.addPoint(1, x, -y);
        }
    }

    StripChartWidget chart;
};

TEST_F(StripChartTest, EachTraceKeepsABoundedHistory)
{
    EXPECT_EQ(chart.historyLength(), StripChartWidget::DefaultHistoryLength);
    feed(1, 25000);
    for (int trace : {0, 1}) {
        EXPECT_EQ(chart.tracePoints(trace).size(), 20000);
        EXPECT_EQ(chart.tracePoints(trace).at(0).x, 5001);
        EXPECT_EQ(chart.tracePoints(trace).at(19999).x, 25000);
    }
    chart.setHistoryLength(100);
    EXPECT_EQ(chart.tracePoints(0).size(), 100);
    EXPECT_EQ(chart.tracePoints(0).at(0).x, 24901);
    feed(25001, 25010);
    EXPECT_EQ(chart.tracePoints(1).size(), 100);
}

TEST_F(StripChartTest, ClearingEmptiesEveryTrace)
{
    feed(1, 50);
    chart.clearTraces();
    EXPECT_TRUE(chart.tracePoints(0).empty());
    EXPECT_TRUE(chart.tracePoints(1).empty());
    feed(0, 2);
    EXPECT_EQ(chart.tracePoints(0).size(), 3);
    EXPECT_EQ(chart.tracePoints(0).at(0).x, 0);
}

TEST_F(StripChartTest, PointsNoTraceOrPositionCanTakeAreDropped)
{
    chart.addPoint(2, 1, 1);
    chart.addPoint(-1, 1, 1);
    chart.addPoint(0, NaN, 1);
    chart.addPoint(0, Inf, 1);
    EXPECT_TRUE(chart.tracePoints(0).empty());
    chart.addPoint(0, 1, NaN);
    EXPECT_EQ(chart.tracePoints(0).size(), 1);
}

TEST_F(StripChartTest, HorizontalRangeFollowsTheNewestSample)
{
    chart.setVisibleSpan(100);
    EXPECT_EQ(chart.horizontalRange().minimum, 0);
    EXPECT_EQ(chart.horizontalRange().maximum, 100);
    feed(1, 40);
    EXPECT_EQ(chart.horizontalRange().minimum, 1);
    EXPECT_EQ(chart.horizontalRange().maximum, 101);
    feed(41, 500);
    EXPECT_EQ(chart.horizontalRange().minimum, 400);
    EXPECT_EQ(chart.horizontalRange().maximum, 500);
    // The sample number starting over without a clear starts the axis over too.
    feed(0, 3);
    EXPECT_EQ(chart.horizontalRange().minimum, 0);
    EXPECT_EQ(chart.horizontalRange().maximum, 100);
}

TEST_F(StripChartTest, PlusAndMinusHalveAndDoubleTheSpanWithinItsLimits)
{
    chart.setVisibleSpan(400);
    QTest::keyClick(&chart, Qt::Key_Minus);
    EXPECT_EQ(chart.visibleSpan(), 800);
    QTest::keyClick(&chart, Qt::Key_Plus);
    QTest::keyClick(&chart, Qt::Key_Plus);
    EXPECT_EQ(chart.visibleSpan(), 200);
    chart.setVisibleSpan(3);
    EXPECT_EQ(chart.visibleSpan(), StripChartWidget::MinimumVisibleSpan);
    chart.setVisibleSpan(1'000'000);
    EXPECT_EQ(chart.visibleSpan(), chart.historyLength());
}

TEST_F(StripChartTest, TracesAppearInTheirColours)
{
    chart.setRange(10, -10);
    feed(1, 300, 5);
    const QImage image = snapshot(chart);
    const QRect heading = pixelsWhere(image, isRed);
    const QRect pitch = pixelsWhere(image, isGreen);
    ASSERT_FALSE(heading.isEmpty());
    ASSERT_FALSE(pitch.isEmpty());
    // +5 above the middle, -5 below it, both flat.
    EXPECT_LT(heading.bottom(), pitch.top());
    EXPECT_LE(heading.height(), 4);
    EXPECT_GT(heading.width(), 50);
}

TEST_F(StripChartTest, ReversedOrEqualRangeDrawsLikeTheOrderedOne)
{
    feed(1, 300, 5);
    chart.setRange(6, 4);
    const QImage ordered = snapshot(chart);
    EXPECT_FALSE(pixelsWhere(ordered, isRed).isEmpty());
    chart.setRange(4, 6);
    EXPECT_EQ(snapshot(chart), ordered);
    chart.setRange(5, 5);
    EXPECT_EQ(chart.verticalRange().minimum, 4);
    EXPECT_EQ(chart.verticalRange().maximum, 6);
    EXPECT_EQ(snapshot(chart), ordered);
}

TEST_F(StripChartTest, PaintsWhateverTheNumbers)
{
    for (double y : {NaN, Inf, -Inf, 1e308, -1e308, 0.0, 1.0})
        feed(1, 20, y);
    for (auto [maximum, minimum] : {std::pair{NaN, NaN}, std::pair{1e308, -1e308}, std::pair{0.0, 0.0}}) {
        chart.setRange(maximum, minimum);
        for (QSize size : {QSize(1, 1), QSize(40, 400), QSize(400, 30), QSize(640, 480)}) {
            chart.resize(size);
            EXPECT_FALSE(snapshot(chart).isNull());
        }
    }
}

TEST_F(StripChartTest, AGapWhereAValueIsNoNumber)
{
    chart.setRange(10, -10);
    chart.setVisibleSpan(100);
    for (int x = 1; x <= 100; ++x)
        chart.addPoint(0, x, x > 45 && x < 55 ? NaN : 5);
    const QImage image = snapshot(chart);
    const QRect trace = pixelsWhere(image, isRed);
    ASSERT_FALSE(trace.isEmpty());
    // The widest run of columns without red between the trace's two ends.
    int widestGap = 0;
    int gap = 0;
    for (int x = trace.left(); x <= trace.right(); ++x) {
        const bool red = !pixelsWhere(image.copy(x, 0, 1, image.height()), isRed).isEmpty();
        gap = red ? 0 : gap + 1;
        widestGap = std::max(widestGap, gap);
    }
    EXPECT_GT(widestGap, 10);
    EXPECT_LT(widestGap, trace.width() / 4);
}

TEST_F(StripChartTest, ManyPointsBetweenFramesCostOnePaint)
{
    chart.show();
    QApplication::processEvents();
    PaintCounter counter;
    chart.installEventFilter(&counter);
    feed(1, 500);
    EXPECT_EQ(counter.paints, 0);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(StripChartTest, HiddenChartKeepsCollectingAndShowsItWhenOpened)
{
    PaintCounter counter;
    chart.installEventFilter(&counter);
    feed(1, 200, 5);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(chart.tracePoints(0).size(), 200);
    chart.setRange(10, -10);
    chart.show();
    EXPECT_FALSE(pixelsWhere(snapshot(chart), isRed).isEmpty());
}

} // namespace
