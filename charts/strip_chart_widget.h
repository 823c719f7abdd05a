#pragma once
#include "charts/axis_scale.h"
#include "charts/chart_picture.h"
#include "charts/trace_buffer.h"
#include "platform/strip_chart.h"

#include <QColor>
#include <QWidget>
#include <optional>
#include <vector>

namespace charts {

struct TraceStyle {
    QString name;
    QColor colour;
};

// A strip chart: traces of (x, y) points scrolling to the left as new x
// values arrive. Each trace keeps its recent history whether the chart is
// shown or not, so a chart opened late shows what came while it was hidden.
// Adding a point only schedules a redraw; any number of points between two
// frames cost one paint, which draws only what they changed (see
// ChartPicture). Paused, it shows what it showed at the pause while the
// traces go on collecting.
class StripChartWidget : public QWidget, public platform::StripChart {
    Q_OBJECT

public:
    static constexpr int DefaultHistoryLength = 20000;
    static constexpr int DefaultVisibleSpan = 1000;
    static constexpr int MinimumVisibleSpan = 50;

    explicit StripChartWidget(QWidget *parent = nullptr);

    // One trace per style, drawn in that order; drops every point.
    void setTraces(const std::vector<TraceStyle> &traces);
    int traceCount() const { return static_cast<int>(m_traces.size()); }
    const TraceStyle &traceStyle(int trace) const { return m_traces[trace].style; }
    // Every point collected, paused or not.
    const TraceBuffer &tracePoints(int trace) const { return m_traces[trace].points; }
    // What is drawn: the collected points, or while paused those kept at the pause.
    const TraceBuffer &shownPoints(int trace) const;
    // The later trace that hides this one under equal values, as last drawn.
    std::optional<int> coveringTrace(int trace) const;

    void setAxisTitles(const QString &horizontal, const QString &vertical);
    QString horizontalTitle() const { return m_horizontalTitle; }
    QString verticalTitle() const { return m_verticalTitle; }

    // Points to a trace index the chart does not have are dropped.
    void addPoint(int trace, double x, double y) override;
    void clearTraces() override;
    void setRange(double maximum, double minimum) override;
    void setHistoryLength(int points) override;

    int historyLength() const { return m_historyLength; }
    // The vertical range as drawn (see drawableRange).
    AxisRange verticalRange() const { return m_range; }
    // How many x units the chart shows; the wheel and the + and - keys change it,
    // zooming out no further than the points it holds or the default span.
    void setVisibleSpan(int samples);
    int visibleSpan() const { return m_visibleSpan; }
    int widestZoom() const;
    // The x range shown: it ends at the newest x, or starts where the current
    // run of x values started while that run is shorter than the span.
    AxisRange horizontalRange() const;

    // Resuming jumps to the newest points.
    void setPaused(bool paused);
    bool isPaused() const { return m_frozen.has_value(); }
    // The chart as it would go into a report: without the hints for the mouse.
    QPixmap reportImage();
    bool showsHints() const { return m_showHints; }
    // How the last paint brought the picture up to date.
    PictureUpdate lastPictureUpdate() const { return m_lastUpdate; }

    QSize sizeHint() const override { return {480, 260}; }
    QSize minimumSizeHint() const override { return {160, 100}; }

signals:
    // A trace came out from under another one or went under it.
    void coveringChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Trace {
        TraceStyle style;
        TraceBuffer points;
    };

    // What a pause keeps.
    struct Frozen {
        std::vector<TraceBuffer> points;
        std::optional<double> newestX;
        double runStartX;
    };

    void scheduleRedraw();
    // For whatever changes more than new points at the right.
    void scheduleWholeRedraw();
    void updateCovering();
    void zoomOut();

    std::vector<Trace> m_traces;
    QString m_horizontalTitle;
    QString m_verticalTitle;
    AxisRange m_range{-1, 1};
    int m_historyLength = DefaultHistoryLength;
    int m_visibleSpan = DefaultVisibleSpan;
    std::optional<double> m_newestX;
    // The x where the values last started over (after a clear or a step back).
    double m_runStartX = 0;
    std::optional<Frozen> m_frozen;
    std::vector<std::optional<int>> m_covering;
    bool m_showHints = true;
    bool m_redrawPending = false;
    ChartPicture m_picture;
    ChartChanges m_changes;
    PictureUpdate m_lastUpdate = PictureUpdate::Redrawn;
};

} // namespace charts
