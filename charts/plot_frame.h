#pragma once
#include "charts/axis_scale.h"

#include <QRectF>
#include <QRgb>
#include <QString>
#include <optional>

class QPainter;
class QWidget;

namespace charts {

// The colours of every plot's grid and frame.
inline constexpr QRgb PlotGridColour = qRgb(225, 225, 225);
inline constexpr QRgb PlotFrameColour = qRgb(120, 120, 120);

// Maps values to pixels of a plot rectangle.
class PlotMapping {
public:
    PlotMapping(const QRectF &plot, const AxisRange &x, const AxisRange &y, bool shiftExactX = false)
        : m_plot(plot), m_x(x), m_y(y), m_shiftExactX(shiftExactX)
    {
    }

    const QRectF &plot() const { return m_plot; }
    double px(double x) const;
    // Far-off values are pinned just outside the plot so the painter never sees huge numbers.
    double py(double y) const;

private:
    QRectF m_plot;
    AxisRange m_x;
    AxisRange m_y;
    bool m_shiftExactX;
};

struct PlotAxes {
    AxisRange x;
    AxisRange y;
    QString horizontalTitle;
    QString verticalTitle;
    // One unit as many pixels across as up: the plot shrinks to keep shapes true.
    bool equalScale = false;
    // Whole x values on a range of moderate size: moving the range by a whole
    // number of pixels moves every whole x by exactly that, to the last bit.
    bool shiftExactX = false;
};

// Paints the background, grid, tick labels, frame and axis titles of a plot
// that fills the widget, in the strip chart's colours and the widget's font.
// Returns where values go, or nothing when the widget is too small to plot in.
std::optional<PlotMapping> paintPlotFrame(QPainter &painter, const QWidget &widget, const PlotAxes &axes);

} // namespace charts
