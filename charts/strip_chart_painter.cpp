#include "charts/strip_chart_painter.h"

#include "charts/plot_frame.h"
#include "charts/strip_chart_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace charts {

namespace {

// From the newest point back to the first one left of the plot, or to where
// the x values last started over: the index of the oldest point the line reaches.
int lineEnd(const TraceBuffer &points, const AxisRange &visible)
{
    double later = visible.maximum;
    for (int i = points.size() - 1; i >= 0; --i) {
        const double x = points.at(i).x;
        if (x > later)
            return i + 1;
        later = x;
        if (x < visible.minimum)
            return i;
    }
    return 0;
}

// The line through points `from` back to `to`, broken where a value is missing.
void addLines(std::vector<QPolygonF> &lines, const TraceBuffer &points, const PlotMapping &map, int from, int to)
{
    lines.emplace_back();
    for (int i = from; i >= to; --i) {
        const ChartPoint &point = points.at(i);
        if (std::isnan(point.y)) {
            if (!lines.back().isEmpty())
                lines.emplace_back();
        } else {
            lines.back().append(QPointF(map.px(point.x), map.py(point.y)));
        }
    }
}

void drawTrace(QPainter &painter, const TraceBuffer &points, const QColor &colour, const PlotMapping &map,
               const AxisRange &visible, const TraceWindow &window)
{
    const int newest = points.size() - 1;
    const int oldest = lineEnd(points, visible);
    int right = oldest;
    if (std::isfinite(window.right))
        for (right = newest; right > oldest && map.px(points.at(right).x) >= window.right;)
            --right;
    int left = oldest;
    while (window.left && left < newest && map.px(points.at(left).x) < *window.left)
        ++left;
    std::vector<QPolygonF> lines;
    if (window.left && left < right) {
        addLines(lines, points, map, newest, right);
        addLines(lines, points, map, left, oldest);
    } else {
        addLines(lines, points, map, newest, oldest);
    }
    painter.setPen(QPen(colour, 1.0));
    for (const QPolygonF &line : lines) {
        if (line.size() == 1)
            painter.drawPoint(line.front());
        else if (line.size() > 1)
            painter.drawPolyline(line);
    }
}

// How to zoom and where the menu is, beside the axis title; and that the chart is paused.
void drawHints(QPainter &painter, const StripChartWidget &chart, const QRectF &plot)
{
    const int line = painter.fontMetrics().height();
    if (chart.isPaused()) {
        const QString paused = QObject::tr("Paused");
        const QRectF box(plot.right() - painter.fontMetrics().horizontalAdvance(paused) - 12, plot.top() + 2,
                         painter.fontMetrics().horizontalAdvance(paused) + 10, line + 2);
        painter.fillRect(box, chart.palette().color(QPalette::Highlight));
        painter.setPen(chart.palette().color(QPalette::HighlightedText));
        painter.drawText(box, Qt::AlignCenter, paused);
    }
    QFont small = painter.font();
    if (small.pointSizeF() > 0)
        small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const QString hint = QObject::tr("Wheel: zoom \u00b7 right-click: menu");
    const double room = (plot.width() - QFontMetrics(chart.font()).horizontalAdvance(chart.horizontalTitle())) / 2 - 8;
    if (painter.fontMetrics().horizontalAdvance(hint) <= room) {
        painter.setPen(QColor(PlotFrameColour));
        painter.drawText(QRectF(plot.left(), plot.bottom() + line + 5, plot.width(), line),
                         Qt::AlignRight | Qt::AlignVCenter, hint);
    }
    painter.setFont(chart.font());
}

} // namespace

std::optional<PlotMapping> paintChartFrame(QPainter &painter, const StripChartWidget &chart)
{
    return paintPlotFrame(
        painter, chart,
        {chart.horizontalRange(), chart.verticalRange(), chart.horizontalTitle(), chart.verticalTitle(), false, true});
}

void paintTraces(QPainter &painter, const StripChartWidget &chart, const PlotMapping &map, const TraceWindow &window)
{
    painter.save();
    painter.setClipRect(map.plot());
    // Plain one-pixel lines: with a thousand samples on a few hundred pixels,
    // smoothing them would cost most of the frame and show little.
    for (int trace = 0; trace < chart.traceCount(); ++trace)
        drawTrace(painter, chart.shownPoints(trace), chart.traceStyle(trace).colour, map, chart.horizontalRange(),
                  window);
    painter.restore();
}

void paintHints(QPainter &painter, const StripChartWidget &chart, const PlotMapping &map)
{
    painter.setFont(chart.font());
    drawHints(painter, chart, map.plot());
}

} // namespace charts
