#include "charts/chart_picture.h"

#include "charts/shown_points.h"
#include "charts/strip_chart_painter.h"
#include "charts/strip_chart_widget.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace charts {

namespace {

// Pixels a change at one point of a line can reach: rounding, square ends and
// the painter's joining of short steps, which carries a point over to the next.
constexpr int Reach = 8;

// The painter cuts a line at the edge of the image along its slope, which
// rounds differently once moved; a line that stays inside is drawn alike anywhere.
bool linesInsideImage(const StripChartWidget &chart, const PlotMapping &map)
{
    const AxisRange visible = chart.horizontalRange();
    for (int trace = 0; trace < chart.traceCount(); ++trace) {
        const TraceBuffer &points = chart.shownPoints(trace);
        const int first = shownSpan(points, visible).first;
        const int end = first > 0 && points.at(first - 1).x < visible.minimum ? first - 1 : first;
        for (int i = end; i < points.size(); ++i) {
            const double y = points.at(i).y;
            if (map.px(points.at(i).x) < 0 || (!std::isnan(y) && (map.py(y) < 0 || map.py(y) > chart.height() - 1)))
                return false;
        }
    }
    return true;
}

QImage sized(const QImage &image, const QImage &like)
{
    if (image.size() == like.size() && image.devicePixelRatio() == like.devicePixelRatio())
        return image;
    QImage fresh(like.size(), like.format());
    fresh.setDevicePixelRatio(like.devicePixelRatio());
    return fresh;
}

void copyPixels(QImage &to, const QImage &from, const QRect &area, QPoint at)
{
    QPainter painter(&to);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, from, area);
}

double newestX(const StripChartWidget &chart)
{
    double newest = -std::numeric_limits<double>::infinity();
    for (int trace = 0; trace < chart.traceCount(); ++trace)
        if (!chart.shownPoints(trace).empty())
            newest = std::max(newest, chart.shownPoints(trace).at(chart.shownPoints(trace).size() - 1).x);
    return newest;
}

} // namespace

PictureUpdate ChartPicture::update(const StripChartWidget &chart, const ChartChanges &changes)
{
    const bool sameLook = m_valid && m_picture.size() == chart.size() && m_picture.devicePixelRatio() == 1.0
                          && chart.devicePixelRatioF() == 1.0 && m_hints == chart.showsHints() && m_map;
    const AxisRange x = chart.horizontalRange();
    if (sameLook && x.minimum == m_x.minimum && x.maximum == m_x.maximum) {
        if (std::all_of(changes.newPoints.begin(), changes.newPoints.end(), [](int n) { return n == 0; }))
            return PictureUpdate::Kept;
        if (drawNewPoints(chart, changes))
            return PictureUpdate::NewPointsDrawn;
    } else if (sameLook && scroll(chart, changes)) {
        return PictureUpdate::Scrolled;
    }
    redraw(chart);
    return PictureUpdate::Redrawn;
}

void ChartPicture::redraw(const StripChartWidget &chart)
{
    const qreal ratio = chart.devicePixelRatioF();
    QImage like((QSizeF(chart.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    like.setDevicePixelRatio(ratio);
    m_picture = sized(m_picture, like);
    // The frame is kept for new points only while they land in the range
    // shown, that is while the run of x values is shorter than the span.
    m_frameKept = newestX(chart) < chart.horizontalRange().maximum;
    QImage &frame = m_frameKept ? m_frame : m_picture;
    frame = sized(frame, like);
    QPainter framePainter(&frame);
    m_map = paintChartFrame(framePainter, chart);
    framePainter.end();
    if (m_frameKept)
        copyPixels(m_picture, m_frame, m_frame.rect(), {0, 0});
    if (m_map) {
        QPainter painter(&m_picture);
        paintTraces(painter, chart, *m_map);
        if (chart.showsHints())
            paintHints(painter, chart, *m_map);
    }
    m_x = chart.horizontalRange();
    m_hints = chart.showsHints();
    m_valid = true;
}

std::optional<int> ChartPicture::firstChangedColumn(const StripChartWidget &chart, const ChartChanges &changes,
                                                    const PlotMapping &map) const
{
    double column = map.plot().right();
    for (int trace = 0; trace < chart.traceCount(); ++trace) {
        const TraceBuffer &points = chart.shownPoints(trace);
        const int added = changes.newPoints[trace];
        if (added == 0 || points.empty())
            continue;
        // A full buffer may have dropped a point the line still went to.
        if (points.size() == points.capacity() && shownSpan(points, chart.horizontalRange()).first == 0)
            return std::nullopt;
        // The line to the new points starts at the newest point drawn before them.
        const int from = std::max(0, points.size() - added - 1);
        column = std::min(column, map.px(points.at(from).x));
    }
    return static_cast<int>(std::floor(column)) - Reach;
}

bool ChartPicture::drawNewPoints(const StripChartWidget &chart, const ChartChanges &changes)
{
    const std::optional<int> first = m_frameKept ? firstChangedColumn(chart, changes, *m_map) : std::nullopt;
    if (!first)
        return false;
    // Only the plot's rows change; the strip is drawn afresh over the frame.
    const QRect plot = m_map->plot().toRect();
    const QRect strip(QPoint(std::max(*first, plot.left()), plot.top()), QPoint(m_picture.width() - 1, plot.bottom()));
    m_scratch = sized(m_scratch, m_frame);
    copyPixels(m_scratch, m_frame, strip, strip.topLeft());
    QPainter painter(&m_scratch);
    paintTraces(painter, chart, *m_map, {static_cast<double>(strip.left() - Reach), std::nullopt});
    painter.end();
    copyPixels(m_picture, m_scratch, strip, strip.topLeft());
    return true;
}

bool ChartPicture::scroll(const StripChartWidget &chart, const ChartChanges &changes)
{
    const AxisRange x = chart.horizontalRange();
    const double span = x.maximum - x.minimum;
    const double moved = x.minimum - m_x.minimum;
    const double width = m_map->plot().width();
    // Whole sample numbers on a whole number of pixels: every point lands
    // exactly that many pixels further left. Anything else draws afresh.
    const double pixels = moved * width / span;
    if (!changes.wholeX || span != m_x.maximum - m_x.minimum || !(moved > 0) || pixels != std::floor(pixels))
        return false;
    const QRect oldPlot = m_map->plot().toRect();
    m_scratch = sized(m_scratch, m_picture);
    QPainter frame(&m_scratch);
    m_map = paintChartFrame(frame, chart);
    frame.end();
    m_frameKept = false;
    m_x = x;
    // The frame is drawn; a plot that moved (wider tick labels) is drawn whole on it.
    const std::optional<int> first = m_map ? firstChangedColumn(chart, changes, *m_map) : std::nullopt;
    if (!first || m_map->plot().toRect() != oldPlot || !linesInsideImage(chart, *m_map)) {
        m_valid = false;
        return false;
    }
    const QRect plot = oldPlot;
    const int shift = static_cast<int>(pixels);
    const int kept = std::min(*first, plot.right() - shift - Reach);
    if (kept < plot.left() + 4 * Reach) {
        m_valid = false;
        return false;
    }
    QPainter painter(&m_scratch);
    // The strip that came into view at the right, and the plot's left edge.
    paintTraces(painter, chart, *m_map,
                {static_cast<double>(kept - Reach), static_cast<double>(plot.left() + 3 * Reach)});
    if (chart.showsHints())
        paintHints(painter, chart, *m_map);
    painter.end();
    // Between them, what was drawn, moved left.
    const QRect moving(QPoint(plot.left() + Reach + shift, plot.top()), QPoint(kept - 1 + shift, plot.bottom()));
    copyPixels(m_scratch, m_picture, moving, {plot.left() + Reach, plot.top()});
    std::swap(m_picture, m_scratch);
    return true;
}

} // namespace charts
