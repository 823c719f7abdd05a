#include "charts/strip_chart_widget.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

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

} // namespace
