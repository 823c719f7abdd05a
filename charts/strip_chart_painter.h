#pragma once

class QPainter;

namespace charts {

class StripChartWidget;

// Draws the chart's grid, axes, titles and the visible part of every trace
// onto the chart's own rectangle.
void paintStripChart(QPainter &painter, const StripChartWidget &chart);

} // namespace charts
