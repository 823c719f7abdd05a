#include "charts/plot_frame.h"
#include "charts/strip_chart_widget.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using charts::PictureUpdate;
using charts::StripChartWidget;

class StripChartTest : public ::testing::Test {
protected:
    StripChartTest()
    {
        chart.setTraces({{QStringLiteral("Heading"), Qt::red}});
        chart.resize(400, 240);
    }

    void feed(int from, int to, double y = 0)
    {
        for (int x = from; x <= to; ++x)
            chart.addPoint(0, x, y);
    }

    StripChartWidget chart;
};

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

TEST_F(StripChartTest, ZoomingOutStopsAtWhatTheChartHolds)
{
    const auto wheelDown = [this] {
        QWheelEvent wheel({10, 10}, {10, 10}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &wheel);
    };
    // Points held, history length, the widest span zooming out reaches.
    for (auto [points, history, widest] : {std::tuple{10, 20000, 1000}, {3000, 20000, 3000}, {3000, 1500, 1500}}) {
        chart.clearTraces();
        chart.setHistoryLength(history);
        feed(1, points);
        for (const auto &zoomOut : {std::function<void()>([this] { QTest::keyClick(&chart, Qt::Key_Minus); }),
                                    std::function<void()>(wheelDown)}) {
            chart.setVisibleSpan(100);
            for (int step = 0; step < 8; ++step)
                zoomOut();
            EXPECT_EQ(chart.visibleSpan(), widest) << points << " points, history " << history;
        }
    }
}

// The scroll relies on it; dividing first would round 922 down.
TEST(PlotMapping, WholeXMovesByWholePixelsExactly)
{
    const QRectF plot(40, 0, 1274, 100);
    const charts::PlotMapping before(plot, {18169, 19937}, {0, 1}, true), after(plot, {18373, 20141}, {0, 1}, true);
    EXPECT_EQ(before.px(19393), 922);
    EXPECT_EQ(after.px(19393) + 147, 922);
}

TEST_F(StripChartTest, HiddenChartKeepsCollectingAndShowsItWhenOpened)
{
    feed(1, 200, 5);
    chart.setRange(10, -10);
    chart.show();
    const QImage image = chart.grab().toImage();
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);
}

// The picture kept and brought up to date piece by piece against one drawn
// whole from the same calls, through runs of points, gaps, steps back in x,
// clears, range, zoom, history and font changes, and pauses.
TEST(StripChartPicture, UpdatedPieceByPieceEqualsDrawnWhole)
{
    StripChartWidget kept, whole;
    const auto both = [&](const auto &call) { call(kept), call(whole); };
    both([](StripChartWidget &c) { c.setTraces({{"a", Qt::red}, {"b", Qt::darkGreen}, {"c", Qt::blue}}); });
    both([](StripChartWidget &c) { c.setRange(10, -10), c.setHistoryLength(90), c.setVisibleSpan(50), c.show(); });
    // A width where a sample is a whole number of pixels, so that the plot
    // scrolls; four-digit sample numbers keep the plot as wide throughout.
    double x = 0;
    for (int width = 300; kept.lastPictureUpdate() != PictureUpdate::Scrolled && width < 400; ++width) {
        both([&](StripChartWidget &c) { c.resize(width, 200), c.clearTraces(), c.grab(); });
        for (x = 1000; x < 1060; ++x)
            both([&](StripChartWidget &c) { c.addPoint(0, x, 0), c.grab(); });
    }
    std::mt19937 random(11);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    std::map<PictureUpdate, int> updates;
    for (int step = 0; step < 400; ++step) {
        const double action = uniform(0, 100);
        for (int n = action < 75 ? int(uniform(1, 12)) : 0; n > 0; --n, ++x)
            for (int trace = 0; trace < 3; ++trace)
                if (uniform(0, 1) < 0.8) {
                    const double odd = uniform(0, 1);
                    const double y = odd < 0.03 ? NAN : odd < 0.036 ? uniform(12, 30) : uniform(-9.5, 9.5);
                    both([&](StripChartWidget &c) { c.addPoint(trace, x, y); });
                }
        if (action >= 75 && action < 80)
            both([&, back = std::round(uniform(1, 80))](StripChartWidget &c) { c.addPoint(1, x - back, 1); });
        if (action >= 80 && action < 83)
            both([](StripChartWidget &c) { c.clearTraces(); });
        if (action >= 83 && action < 86)
            both([top = uniform(9, 20)](StripChartWidget &c) { c.setRange(top, -top); });
        if (action >= 86 && action < 92)
            both([](StripChartWidget &c) { c.setPaused(!c.isPaused()); });
        if (action >= 92 && action < 95)
            both([](StripChartWidget &c) { c.setVisibleSpan(c.visibleSpan() == 50 ? 500 : 50); });
        if (action >= 95 && action < 96)
            both([](StripChartWidget &c) {
                c.setHistoryLength(c.historyLength() == 90 ? 40 : c.historyLength() == 40 ? 600 : 90);
            });
        if (action >= 96 && action < 98)
            both([](StripChartWidget &c) { c.setFont(QFont("Sans", c.font().pointSize() == 9 ? 10 : 9)); });
        const QImage piecewise = kept.grab().toImage();
        ++updates[kept.lastPictureUpdate()];
        whole.setPaused(whole.isPaused());
        ASSERT_EQ(piecewise, whole.grab().toImage()) << "step " << step;
    }
    EXPECT_GT(updates[PictureUpdate::NewPointsDrawn], 10);
    EXPECT_GT(updates[PictureUpdate::Scrolled], 5);
    EXPECT_GT(updates[PictureUpdate::Kept], 5);
}

} // namespace
