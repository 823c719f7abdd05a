#pragma once
#include "charts/plot_frame.h"

#include <limits>
#include <optional>

class QPainter;

namespace charts {

class StripChartWidget;

// Which part of each trace's line to draw: from where it comes in at
// `right` (or from its newest point) back to where it leaves at `left` (or
// to where it would stop anyway). Pixels of the chart, left to right.
struct TraceWindow {
    double right = std::numeric_limits<double>::infinity();
    double left = -std::numeric_limits<double>::infinity();
};

// The chart's background, grid, tick labels, frame and axis titles on its own
// rectangle; where values go, or nothing when the chart is too small to plot in.
std::optional<PlotMapping> paintChartFrame(QPainter &painter, const StripChartWidget &chart);
// The traces in their order, inside the plot.
void paintTraces(QPainter &painter, const StripChartWidget &chart, const PlotMapping &map,
                 const TraceWindow &window = {});
// How to zoom and where the menu is; and that the chart is paused.
void paintHints(QPainter &painter, const StripChartWidget &chart, const PlotMapping &map);

} // namespace charts
