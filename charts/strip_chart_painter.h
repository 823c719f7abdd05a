#pragma once
#include "charts/plot_frame.h"

#include <limits>
#include <optional>

class QPainter;

namespace charts {

class StripChartWidget;

// Which part of each trace's line to draw, in pixel columns of the chart:
// from its newest point back to the first point left of `right`, and with
// `left`, from its oldest point forward to the first point at or right of
// it. A part ends on a point, so the line may end a few pixels beyond.
struct TraceWindow {
    double right = -std::numeric_limits<double>::infinity();
    std::optional<double> left;
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
