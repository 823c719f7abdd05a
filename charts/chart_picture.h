#pragma once
#include "charts/axis_scale.h"
#include "charts/plot_frame.h"

#include <QImage>
#include <optional>
#include <vector>

namespace charts {

class StripChartWidget;

// What bringing the picture up to date took.
enum class PictureUpdate { Kept, NewPointsDrawn, Scrolled, Redrawn };

// What changed in the chart since its picture was last brought up to date.
struct ChartChanges {
    // Per trace, the points added to what the chart shows.
    std::vector<int> newPoints;
    // Every x value is a whole number, so the plot can move by whole pixels.
    bool wholeX = true;
};

// A strip chart's picture, kept between paints. New points at the right are
// drawn alone; when the view has moved by a whole number of pixels the plot
// is scrolled and only the strip that came into view is drawn; anything else
// redraws the whole. The result is, pixel for pixel, what a whole redraw of
// the chart as it is now gives.
class ChartPicture {
public:
    // The next update draws the whole.
    void invalidate() { m_valid = false; }
    PictureUpdate update(const StripChartWidget &chart, const ChartChanges &changes);
    const QImage &image() const { return m_picture; }

private:
    void redraw(const StripChartWidget &chart);
    bool drawNewPoints(const StripChartWidget &chart, const ChartChanges &changes);
    bool scroll(const StripChartWidget &chart, const ChartChanges &changes);
    // The leftmost pixel column the new points can change.
    std::optional<int> firstChangedColumn(const StripChartWidget &chart, const ChartChanges &changes,
                                          const PlotMapping &map) const;

    bool m_valid = false;
    QImage m_picture;
    // The picture without traces and hints, kept while new points can be
    // drawn on it; and room to draw a part in.
    QImage m_frame;
    bool m_frameKept = false;
    QImage m_scratch;
    std::optional<PlotMapping> m_map;
    AxisRange m_x{0, 0};
    bool m_hints = true;
};

} // namespace charts
