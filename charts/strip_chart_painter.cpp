#include "charts/strip_chart_painter.h"

#include "charts/strip_chart_widget.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace charts {

namespace {

const QColor gridColour(225, 225, 225);
const QColor frameColour(120, 120, 120);

// Enough digits for sample numbers up to the millions.
QString tickLabel(double value)
{
    return QLocale().toString(value, 'g', 10);
}

// Maps chart values to pixels of the plot rectangle.
class PlotMapping {
public:
    PlotMapping(const QRectF &plot, const AxisRange &x, const AxisRange &y) : m_plot(plot), m_x(x), m_y(y) {}

    double px(double x) const { return m_plot.left() + rangeFraction(m_x, x) * m_plot.width(); }
    // Far-off values are pinned just outside the plot so the painter never sees huge numbers.
    double py(double y) const
    {
        const double pixel = m_plot.bottom() - rangeFraction(m_y, y) * m_plot.height();
        return std::clamp(pixel, m_plot.top() - m_plot.height(), m_plot.bottom() + m_plot.height());
    }

private:
    QRectF m_plot;
    AxisRange m_x;
    AxisRange m_y;
};

void drawTrace(QPainter &painter, const TraceBuffer &points, const QColor &colour, const PlotMapping &map,
               const AxisRange &visible)
{
    // From the newest point back to the first one left of the plot, or to
    // where the x values last started over.
    std::vector<QPolygonF> lines(1);
    double later = visible.maximum;
    for (int i = points.size() - 1; i >= 0; --i) {
        const ChartPoint &point = points.at(i);
        if (point.x > later)
            break;
        later = point.x;
        if (std::isnan(point.y)) {
            if (!lines.back().isEmpty())
                lines.emplace_back();
        } else {
            lines.back().append(QPointF(map.px(point.x), map.py(point.y)));
        }
        if (point.x < visible.minimum)
            break;
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
        painter.setPen(frameColour);
        painter.drawText(QRectF(plot.left(), plot.bottom() + line + 5, plot.width(), line),
                         Qt::AlignRight | Qt::AlignVCenter, hint);
    }
    painter.setFont(chart.font());
}

} // namespace

void paintStripChart(QPainter &painter, const StripChartWidget &chart)
{
    const QRect area = chart.rect();
    painter.fillRect(area, chart.palette().color(QPalette::Base));
    painter.setFont(chart.font());
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();

    const int top = line / 2 + 4;
    const int bottom = area.height() - 2 * line - 8;
    if (bottom - top < line)
        return;

    const AxisRange yRange = chart.verticalRange();
    const AxisRange xRange = chart.horizontalRange();
    const std::vector<double> yTicks = axisTicks(yRange, std::max(2, (bottom - top) / (2 * line)));
    int labelWidth = 0;
    for (double tick : yTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tickLabel(tick)));
    const int left = line + 6 + labelWidth + 4;
    // Room for half the widest x label, so the last one is not cut off.
    const int right = area.width() - std::max(12, metrics.horizontalAdvance(tickLabel(xRange.maximum)) / 2 + 4);
    if (right - left < line)
        return;

    const QRectF plot(QPointF(left, top), QPointF(right, bottom));
    const PlotMapping map(plot, xRange, yRange);
    const std::vector<double> xTicks = axisTicks(xRange, std::max(2, (right - left) / 90));

    const QColor text = chart.palette().color(QPalette::Text);
    for (double tick : yTicks) {
        const double y = map.py(tick);
        painter.setPen(gridColour);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(left - 4 - labelWidth, y - line / 2.0, labelWidth, line),
                         Qt::AlignRight | Qt::AlignVCenter, tickLabel(tick));
    }
    for (double tick : xTicks) {
        const double x = map.px(tick);
        painter.setPen(gridColour);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        painter.drawText(QRectF(x - 60, plot.bottom() + 3, 120, line), Qt::AlignHCenter | Qt::AlignTop,
                         tickLabel(tick));
    }
    painter.setPen(frameColour);
    painter.drawRect(plot);

    painter.setPen(text);
    painter.drawText(QRectF(plot.left(), plot.bottom() + line + 5, plot.width(), line), Qt::AlignHCenter,
                     chart.horizontalTitle());
    painter.save();
    painter.translate(2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignHCenter | Qt::AlignTop,
                     chart.verticalTitle());
    painter.restore();

    painter.save();
    painter.setClipRect(plot);
    // Plain one-pixel lines: with a thousand samples on a few hundred pixels,
    // smoothing them would cost most of the frame and show little.
    for (int trace = 0; trace < chart.traceCount(); ++trace)
        drawTrace(painter, chart.shownPoints(trace), chart.traceStyle(trace).colour, map, xRange);
    painter.restore();
    if (chart.showsHints())
        drawHints(painter, chart, plot);
}

} // namespace charts
