#include "charts/plot_frame.h"

#include <QLocale>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace charts {

namespace {

// Enough digits for sample numbers up to the millions.
QString tickLabel(double value)
{
    return QLocale().toString(value, 'g', 10);
}

// The largest rectangle inside `plot`, centred in it, that shows both ranges at one scale.
QRectF equalScaleRect(const QRectF &plot, const AxisRange &x, const AxisRange &y)
{
    const double xSpan = x.maximum - x.minimum;
    const double ySpan = y.maximum - y.minimum;
    const double pixelsPerUnit = std::min(plot.width() / xSpan, plot.height() / ySpan);
    QRectF fitted(0, 0, xSpan * pixelsPerUnit, ySpan * pixelsPerUnit);
    fitted.moveCenter(plot.center());
    return fitted;
}

} // namespace

double PlotMapping::px(double x) const
{
    // A whole distance times whole pixels is exact, and the one rounding of the
    // division cannot carry the result across a pixel's subdivisions.
    if (m_shiftExactX) {
        const double exact = m_plot.left() + (x - m_x.minimum) * m_plot.width() / (m_x.maximum - m_x.minimum);
        if (std::isfinite(exact))
            return exact;
    }
    return m_plot.left() + rangeFraction(m_x, x) * m_plot.width();
}

double PlotMapping::py(double y) const
{
    const double pixel = m_plot.bottom() - rangeFraction(m_y, y) * m_plot.height();
    return std::clamp(pixel, m_plot.top() - m_plot.height(), m_plot.bottom() + m_plot.height());
}

std::optional<PlotMapping> paintPlotFrame(QPainter &painter, const QWidget &widget, const PlotAxes &axes)
{
    const QRect area = widget.rect();
    painter.fillRect(area, widget.palette().color(QPalette::Base));
    painter.setFont(widget.font());
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();

    const int top = line / 2 + 4;
    const int bottom = area.height() - 2 * line - 8;
    if (bottom - top < line)
        return std::nullopt;

    const std::vector<double> yTicks = axisTicks(axes.y, std::max(2, (bottom - top) / (2 * line)));
    int labelWidth = 0;
    for (double tick : yTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tickLabel(tick)));
    const int left = line + 6 + labelWidth + 4;
    // Room for half the widest x label, so the last one is not cut off.
    const int right = area.width() - std::max(12, metrics.horizontalAdvance(tickLabel(axes.x.maximum)) / 2 + 4);
    if (right - left < line)
        return std::nullopt;

    QRectF plot(QPointF(left, top), QPointF(right, bottom));
    if (axes.equalScale)
        plot = equalScaleRect(plot, axes.x, axes.y);
    const PlotMapping map(plot, axes.x, axes.y, axes.shiftExactX && !axes.equalScale);
    const std::vector<double> xTicks = axisTicks(axes.x, std::max(2, static_cast<int>(plot.width()) / 90));

    const QColor text = widget.palette().color(QPalette::Text);
    for (double tick : yTicks) {
        const double y = map.py(tick);
        painter.setPen(QColor(PlotGridColour));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(plot.left() - 4 - labelWidth, y - line / 2.0, labelWidth, line),
                         Qt::AlignRight | Qt::AlignVCenter, tickLabel(tick));
    }
    for (double tick : xTicks) {
        const double x = map.px(tick);
        painter.setPen(QColor(PlotGridColour));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        painter.drawText(QRectF(x - 60, plot.bottom() + 3, 120, line), Qt::AlignHCenter | Qt::AlignTop,
                         tickLabel(tick));
    }
    painter.setPen(QColor(PlotFrameColour));
    painter.drawRect(plot);

    painter.setPen(text);
    painter.drawText(QRectF(plot.left(), plot.bottom() + line + 5, plot.width(), line), Qt::AlignHCenter,
                     axes.horizontalTitle);
    painter.save();
    painter.translate(plot.left() - left + 2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignHCenter | Qt::AlignTop,
                     axes.verticalTitle);
    painter.restore();
    return map;
}

} // namespace charts
