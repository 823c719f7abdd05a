#include "charts/strip_chart_widget.h"

#include "charts/shown_points.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace charts {

namespace {
int doubled(int span)
{
    return span > std::numeric_limits<int>::max() / 2 ? std::numeric_limits<int>::max() : span * 2;
}
} // namespace

StripChartWidget::StripChartWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(tr("Strip chart; + and - change how many samples it shows"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void StripChartWidget::setTraces(const std::vector<TraceStyle> &traces)
{
    m_traces.clear();
    for (const TraceStyle &style : traces)
        m_traces.push_back({style, TraceBuffer(m_historyLength)});
    m_newestX.reset();
    m_frozen.reset();
    m_covering.assign(m_traces.size(), std::nullopt);
    m_changes = {std::vector<int>(m_traces.size(), 0), true};
    scheduleWholeRedraw();
}

void StripChartWidget::setAxisTitles(const QString &horizontal, const QString &vertical)
{
    m_horizontalTitle = horizontal;
    m_verticalTitle = vertical;
    scheduleWholeRedraw();
}

void StripChartWidget::addPoint(int trace, double x, double y)
{
    if (trace < 0 || trace >= traceCount() || !std::isfinite(x))
        return;
    if (!m_newestX || x < *m_newestX) {
        m_runStartX = x;
        // Starting over cuts the line short.
        if (m_newestX)
            m_picture.invalidate();
    }
    m_newestX = x;
    m_traces[trace].points.push({x, y});
    m_changes.wholeX = m_changes.wholeX && x == std::floor(x);
    // A paused chart shows nothing new.
    if (!m_frozen) {
        // More than the buffer holds counts as all of it.
        m_changes.newPoints[trace] = std::min(m_changes.newPoints[trace] + 1, m_historyLength);
        scheduleRedraw();
    }
}

void StripChartWidget::clearTraces()
{
    for (Trace &trace : m_traces)
        trace.points.clear();
    m_newestX.reset();
    m_changes.wholeX = true;
    scheduleWholeRedraw();
}

void StripChartWidget::setRange(double maximum, double minimum)
{
    m_range = drawableRange(maximum, minimum);
    scheduleWholeRedraw();
}

void StripChartWidget::setHistoryLength(int points)
{
    m_historyLength = std::max(1, points);
    for (Trace &trace : m_traces)
        trace.points.setCapacity(m_historyLength);
    scheduleWholeRedraw();
}

void StripChartWidget::setVisibleSpan(int samples)
{
    m_visibleSpan = std::clamp(samples, MinimumVisibleSpan, std::max(MinimumVisibleSpan, m_historyLength));
    scheduleWholeRedraw();
}

int StripChartWidget::widestZoom() const
{
    int held = 0;
    for (const Trace &trace : m_traces)
        held = std::max(held, trace.points.size());
    // A trace holds no more than the history length.
    return std::max(DefaultVisibleSpan, held);
}

void StripChartWidget::zoomOut()
{
    setVisibleSpan(std::max(m_visibleSpan, std::min(doubled(m_visibleSpan), widestZoom())));
}

const TraceBuffer &StripChartWidget::shownPoints(int trace) const
{
    return m_frozen ? m_frozen->points[trace] : m_traces[trace].points;
}

std::optional<int> StripChartWidget::coveringTrace(int trace) const
{
    return m_covering[trace];
}

AxisRange StripChartWidget::horizontalRange() const
{
    const std::optional<double> &newestX = m_frozen ? m_frozen->newestX : m_newestX;
    if (!newestX)
        return {0, static_cast<double>(m_visibleSpan)};
    const double right = std::max(*newestX, (m_frozen ? m_frozen->runStartX : m_runStartX) + m_visibleSpan);
    return {right - m_visibleSpan, right};
}

void StripChartWidget::setPaused(bool paused)
{
    if (!paused) {
        m_frozen.reset();
    } else if (!m_frozen) {
        m_frozen = Frozen{{}, m_newestX, m_runStartX};
        for (const Trace &trace : m_traces)
            m_frozen->points.push_back(trace.points);
    }
    scheduleWholeRedraw();
}

QPixmap StripChartWidget::reportImage()
{
    m_showHints = false;
    const QPixmap image = grab();
    m_showHints = true;
    m_picture.invalidate();
    return image;
}

void StripChartWidget::updateCovering()
{
    std::vector<const TraceBuffer *> shown;
    for (int trace = 0; trace < traceCount(); ++trace)
        shown.push_back(&shownPoints(trace));
    auto covering = coveringTraces(shown, horizontalRange());
    if (covering == m_covering)
        return;
    m_covering = std::move(covering);
    emit coveringChanged();
}

void StripChartWidget::scheduleRedraw()
{
    // update() on a hidden widget does nothing; showing it paints anyway.
    if (m_redrawPending || !isVisible())
        return;
    m_redrawPending = true;
    update();
}

void StripChartWidget::scheduleWholeRedraw()
{
    m_picture.invalidate();
    scheduleRedraw();
}

void StripChartWidget::paintEvent(QPaintEvent *)
{
    m_redrawPending = false;
    m_lastUpdate = m_picture.update(*this, m_changes);
    std::fill(m_changes.newPoints.begin(), m_changes.newPoints.end(), 0);
    QPainter painter(this);
    // A copy, not a blend: the picture covers the whole widget.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_picture.image());
    if (m_lastUpdate != PictureUpdate::Kept)
        updateCovering();
}

void StripChartWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange
        || event->type() == QEvent::StyleChange)
        scheduleWholeRedraw();
    QWidget::changeEvent(event);
}

void StripChartWidget::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        event->ignore();
        return;
    }
    if (steps > 0)
        setVisibleSpan(m_visibleSpan / 2);
    else
        zoomOut();
}

void StripChartWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setVisibleSpan(m_visibleSpan / 2);
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace charts
