#include "charts/strip_chart_widget.h"
#include "tests/charts/chart_images.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using charts::StripChartWidget;
using charts_test::isGreen;
using charts_test::isRed;
using charts_test::pixelsWhere;
using charts_test::snapshot;

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

TEST_F(StripChartTest, HiddenChartKeepsCollectingAndShowsItWhenOpened)
{
    feed(1, 200, 5);
    chart.setRange(10, -10);
    chart.show();
    EXPECT_FALSE(pixelsWhere(snapshot(chart), isRed).isEmpty());
}

} // namespace
