#pragma once
#include "platform/strip_chart.h"

#include <functional>
#include <utility>

namespace mag_check {

// A strip chart that hands every point on to another chart and to a tap.
class ChartTap : public platform::StripChart {
public:
    using Tap = std::function<void(int trace, double x, double y)>;

    ChartTap(platform::StripChart &chart, Tap tap) : m_chart(chart), m_tap(std::move(tap)) {}

    void addPoint(int trace, double x, double y) override
    {
        m_chart.addPoint(trace, x, y);
        m_tap(trace, x, y);
    }
    void clearTraces() override { m_chart.clearTraces(); }
    void setRange(double maximum, double minimum) override { m_chart.setRange(maximum, minimum); }
    void setHistoryLength(int points) override { m_chart.setHistoryLength(points); }

private:
    platform::StripChart &m_chart;
    Tap m_tap;
};

} // namespace mag_check
