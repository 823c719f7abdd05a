#include "mag_check/dot_image.h"

#include <cmath>

namespace mag_check {

QImage dotImage(const QRectF &area, const QPolygonF &places, QRgb colour)
{
    const QRect pixels = area.toAlignedRect();
    QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRgb ink = qPremultiply(colour);
    for (const QPointF &place : places) {
        const double left = std::floor(place.x()) - pixels.left();
        const double top = std::floor(place.y()) - pixels.top();
        if (!(left >= 0 && top >= 0 && left + 1 < pixels.width() && top + 1 < pixels.height()))
            continue;
        const int x = static_cast<int>(left);
        const int y = static_cast<int>(top);
        for (int row = y; row <= y + 1; ++row) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(row));
            line[x] = ink;
            line[x + 1] = ink;
        }
    }
    return image;
}

} // namespace mag_check
