#include "mag_check/coverage_view.h"

#include "charts/plot_frame.h"
#include "mag_check/dot_image.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace mag_check {

namespace {

const QColor coveredFill(200, 240, 200);
const QColor missingFill(255, 228, 205);
constexpr QRgb dotColour = qRgb(100, 100, 255);
constexpr int Rows = 5;

// Rows top to bottom: +Z cap, upper, middle and lower band, -Z cap.
int rowOf(int sector)
{
    if (sector == 0)
        return 0;
    if (sector == SectorCount - 1)
        return Rows - 1;
    return 1 + (sector - 1) / SectorsPerBand;
}

// Where a direction goes: across by azimuth, down its row by height.
class CoverageMapping {
public:
    explicit CoverageMapping(const QRectF &map) : m_map(map) {}

    double rowHeight() const { return m_map.height() / Rows; }
    double x(double azimuth) const { return m_map.left() + azimuth / 360 * m_map.width(); }
    QRectF cell(int sector) const
    {
        const Sector s = sectorBounds(sector);
        const double top = m_map.top() + rowOf(sector) * rowHeight();
        return {QPointF(x(s.azimuthFrom), top), QPointF(x(s.azimuthTo), top + rowHeight())};
    }
    QPointF dot(double azimuth, double z) const
    {
        const int sector = sectorAt(z, azimuth);
        const Sector s = sectorBounds(sector);
        const QRectF row = cell(sector);
        const double down = (s.zHigh - z) / (s.zHigh - s.zLow);
        return {x(azimuth), row.top() + std::clamp(down, 0.0, 1.0) * row.height()};
    }

private:
    QRectF m_map;
};

} // namespace

QString sectorName(int sector)
{
    if (sector == 0)
        return CoverageView::tr("+Z cap");
    if (sector == SectorCount - 1)
        return CoverageView::tr("−Z cap");
    const char *const bands[] = {"upper", "middle", "lower"};
    const Sector s = sectorBounds(sector);
    return CoverageView::tr("%1 band %2–%3°")
        .arg(CoverageView::tr(bands[(sector - 1) / SectorsPerBand]))
        .arg(s.azimuthFrom)
        .arg(s.azimuthTo);
}

CoverageView::CoverageView(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CoverageView::setCoverage(std::span<const FieldSample> samples, const CheckResult &result)
{
    m_counts = result.sectorPoints;
    m_directions.clear();
    m_directions.reserve(static_cast<qsizetype>(samples.size()));
    for (const FieldSample &sample : samples) {
        const Eigen::Vector3d d = result.direction(sample.field);
        const double length = d.norm();
        if (length > 0 && std::isfinite(length))
            m_directions << QPointF(azimuthOf(d), d.z() / length);
    }
    update();
}

void CoverageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const int line = fontMetrics().height();
    const int labelWidth = fontMetrics().horizontalAdvance(tr("middle")) + 8;
    const QRectF map(QPointF(labelWidth, line / 2.0 + 2), QPointF(width() - 10, height() - line - 6));
    if (map.width() < line || map.height() < Rows * 4)
        return;
    const CoverageMapping mapping(map);

    for (int sector = 0; sector < SectorCount; ++sector) {
        const int points = m_counts[static_cast<std::size_t>(sector)];
        const QRectF cell = mapping.cell(sector);
        painter.fillRect(cell, points >= Limits::MinSectorPoints ? coveredFill : missingFill);
        painter.setPen(QColor(charts::PlotGridColour).darker(120));
        painter.drawRect(cell);
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(cell.adjusted(3, 1, -3, -1), Qt::AlignRight | Qt::AlignTop, QString::number(points));
    }
    QPolygonF dots;
    dots.reserve(m_directions.size());
    for (const QPointF &direction : m_directions)
        dots << mapping.dot(direction.x(), direction.y());
    painter.drawImage(map.toAlignedRect().topLeft(), dotImage(map, dots, dotColour));
    painter.setPen(QColor(charts::PlotFrameColour));
    painter.drawRect(map);

    painter.setPen(palette().color(QPalette::Text));
    const QString rowNames[Rows] = {tr("+Z"), tr("upper"), tr("middle"), tr("lower"), tr("−Z")};
    for (int row = 0; row < Rows; ++row)
        painter.drawText(QRectF(0, map.top() + row * mapping.rowHeight(), labelWidth - 6, mapping.rowHeight()),
                         Qt::AlignRight | Qt::AlignVCenter, rowNames[row]);
    const QString axisNames[] = {tr("+X"), tr("+Y"), tr("−X"), tr("−Y"), tr("+X")};
    for (int quarter = 0; quarter <= 4; ++quarter)
        painter.drawText(QRectF(mapping.x(quarter * 90.0) - 30, map.bottom() + 2, 60, line), Qt::AlignHCenter,
                         axisNames[quarter]);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace mag_check
