#include "mag_check/projection_view.h"

#include "charts/plot_frame.h"

#include <Eigen/Cholesky>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace mag_check {

namespace {

// Light enough that the fitted outline stands out over them.
constexpr QRgb pointColour = qRgb(100, 100, 255);
const QColor fitColour(255, 0, 0);
constexpr int OutlineSteps = 120;
const char *const axisNames[] = {"X", "Y", "Z"};
// As the magnetic chart's legend names them.
const char *const axisTitles[] = {"Mx", "My", "Mz"};

// The edge of the ellipsoid's shadow on the plane of two axes: an ellipse
// whose matrix is that part of the ellipsoid's A·Aᵀ, where A takes the unit
// sphere onto it.
QPolygonF shadowOutline(const Ellipsoid &fit, int across, int up)
{
    const Eigen::Matrix3d spread = fit.axes * fit.radii.cwiseAbs2().asDiagonal() * fit.axes.transpose();
    Eigen::Matrix2d plane;
    plane << spread(across, across), spread(across, up), spread(up, across), spread(up, up);
    const Eigen::LLT<Eigen::Matrix2d> root(plane);
    QPolygonF outline;
    if (root.info() != Eigen::Success)
        return outline;
    const Eigen::Matrix2d l = root.matrixL();
    for (int step = 0; step <= OutlineSteps; ++step) {
        const double angle = 2 * std::numbers::pi * step / OutlineSteps;
        const Eigen::Vector2d p = l * Eigen::Vector2d(std::cos(angle), std::sin(angle));
        outline << QPointF(fit.centre(across) + p.x(), fit.centre(up) + p.y());
    }
    return outline;
}

} // namespace

ViewBox viewBoxOf(std::span<const FieldSample> samples, const std::optional<Ellipsoid> &fit)
{
    Eigen::Vector3d low = Eigen::Vector3d::Zero();
    Eigen::Vector3d high = Eigen::Vector3d::Zero();
    const auto take = [&low, &high](const Eigen::Vector3d &p) {
        if (p.allFinite()) {
            low = low.cwiseMin(p);
            high = high.cwiseMax(p);
        }
    };
    for (const FieldSample &sample : samples)
        take(sample.field);
    if (fit) {
        take(fit->centre + Eigen::Vector3d::Constant(fit->radii.maxCoeff()));
        take(fit->centre - Eigen::Vector3d::Constant(fit->radii.maxCoeff()));
    }
    const double half = (high - low).maxCoeff() / 2 * 1.08;
    return {(low + high) / 2, half > 0 ? half : 1.0};
}

ProjectionView::ProjectionView(int across, int up, QWidget *parent)
    : QWidget(parent), m_across(across), m_up(up), m_dots(pointColour)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QString ProjectionView::title() const
{
    return tr("%1–%2 projection").arg(QLatin1String(axisNames[m_across]), QLatin1String(axisNames[m_up]));
}

void ProjectionView::setPicture(std::span<const FieldSample> samples, const std::optional<Ellipsoid> &fit,
                                const ViewBox &box)
{
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(samples.size()));
    for (const FieldSample &sample : samples)
        if (sample.field.allFinite())
            points << QPointF(sample.field(m_across), sample.field(m_up));
    // The collector keeps its newest samples in a ring: once full, or after a
    // clear, the points drawn are no longer the first ones.
    const auto same = [](QPointF a, QPointF b) { return a.x() == b.x() && a.y() == b.y(); };
    if (points.size() < m_dotted || !std::equal(m_points.begin(), m_points.begin() + m_dotted, points.begin(), same))
        m_dotted = 0;
    m_points = std::move(points);
    m_outline = fit ? shadowOutline(*fit, m_across, m_up) : QPolygonF();
    m_centre.reset();
    if (fit)
        m_centre = QPointF(fit->centre(m_across), fit->centre(m_up));
    m_xRange = {box.middle(m_across) - box.halfSpan, box.middle(m_across) + box.halfSpan};
    m_yRange = {box.middle(m_up) - box.halfSpan, box.middle(m_up) + box.halfSpan};
    update();
}

bool ProjectionView::dotsDrawnAt(const QRectF &plot) const
{
    // Exactly: Qt's comparisons of rectangles allow for rounding.
    const auto same = [](charts::AxisRange a, charts::AxisRange b) {
        return a.minimum == b.minimum && a.maximum == b.maximum;
    };
    const QRectF &area = m_dots.area();
    const bool sameArea =
        area.x() == plot.x() && area.y() == plot.y() && area.width() == plot.width() && area.height() == plot.height();
    return m_dotted > 0 && sameArea && same(m_dottedX, m_xRange) && same(m_dottedY, m_yRange);
}

void ProjectionView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const charts::PlotAxes axes{m_xRange, m_yRange, QLatin1String(axisTitles[m_across]),
                                QLatin1String(axisTitles[m_up]), true};
    const std::optional<charts::PlotMapping> map = charts::paintPlotFrame(painter, *this, axes);
    if (!map)
        return;
    painter.setClipRect(map->plot());
    const auto pixel = [&map](QPointF value) { return QPointF(map->px(value.x()), map->py(value.y())); };

    if (!dotsDrawnAt(map->plot())) {
        m_dots.reset(map->plot());
        m_dotted = 0;
        m_dottedX = m_xRange;
        m_dottedY = m_yRange;
    }
    for (; m_dotted < m_points.size(); ++m_dotted)
        m_dots.add(pixel(m_points[m_dotted]));
    painter.drawImage(map->plot().toAlignedRect().topLeft(), m_dots.image());

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fitColour, 2));
    QPolygonF outline;
    for (const QPointF &point : m_outline)
        outline << pixel(point);
    painter.drawPolyline(outline);
    if (m_centre) {
        const QPointF c = pixel(*m_centre);
        painter.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
        painter.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
    }
    if (hasFocus()) {
        painter.setClipping(false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace mag_check
