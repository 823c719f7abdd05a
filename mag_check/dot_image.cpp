#include "mag_check/dot_image.h"

#include <cmath>

namespace mag_check {

void DotImage::reset(const QRectF &area)
{
    m_area = area;
    m_pixels = area.toAlignedRect();
    m_image = QImage(m_pixels.size(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
}

void DotImage::add(const QPointF &place)
{
    const double left = std::floor(place.x()) - m_pixels.left();
    const double top = std::floor(place.y()) - m_pixels.top();
    if (!(left >= 0 && top >= 0 && left + 1 < m_pixels.width() && top + 1 < m_pixels.height()))
        return;
    const int x = static_cast<int>(left);
    const int y = static_cast<int>(top);
    for (int row = y; row <= y + 1; ++row) {
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(row));
        line[x] = m_ink;
        line[x + 1] = m_ink;
    }
}

QImage dotImage(const QRectF &area, const QPolygonF &places, QRgb colour)
{
    DotImage dots(colour);
    dots.reset(area);
    for (const QPointF &place : places)
        dots.add(place);
    return dots.image();
}

} // namespace mag_check
