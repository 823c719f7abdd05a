#pragma once
#include "charts/axis_scale.h"
#include "mag_check/calibration_check.h"
#include "mag_check/dot_image.h"

#include <QPolygonF>
#include <QWidget>
#include <optional>

namespace mag_check {

// The region of field space every projection shows: one scale for all three,
// so that their shapes compare.
struct ViewBox {
    Eigen::Vector3d middle;
    double halfSpan;
};

// Takes in the samples, the origin and the fitted ellipsoid, with a margin.
ViewBox viewBoxOf(std::span<const FieldSample> samples, const std::optional<Ellipsoid> &fit);

// The points seen along one pair of field axes, drawn like the charts, with
// the outline of the fitted ellipsoid and a cross at its centre.
class ProjectionView : public QWidget {
    Q_OBJECT

public:
    // `across`, `up`: 0, 1, 2 for the X, Y, Z of the field.
    ProjectionView(int across, int up, QWidget *parent = nullptr);

    void setPicture(std::span<const FieldSample> samples, const std::optional<Ellipsoid> &fit, const ViewBox &box);
    QString title() const;

    QSize sizeHint() const override { return {320, 300}; }
    QSize minimumSizeHint() const override { return {200, 190}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_across;
    int m_up;
    // The points drawn so far stay on m_dots while the view's scale and size
    // stay and new points only add to the old.
    bool dotsDrawnAt(const QRectF &plot) const;

    QPolygonF m_points;
    DotImage m_dots;
    qsizetype m_dotted = 0;
    charts::AxisRange m_dottedX{};
    charts::AxisRange m_dottedY{};
    QPolygonF m_outline;
    std::optional<QPointF> m_centre;
    charts::AxisRange m_xRange{-1, 1};
    charts::AxisRange m_yRange{-1, 1};
};

} // namespace mag_check
