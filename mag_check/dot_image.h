#pragma once
#include <QImage>
#include <QPolygonF>
#include <QRectF>

namespace mag_check {

// Dots of two by two pixels on a clear image covering an area (places
// outside it are left out). Tens of thousands cost a millisecond, where as
// many points drawn one by one cost a large part of a frame. The image is
// kept, so points that come later are added to it without drawing the
// earlier ones again; a dot's pixels do not depend on the order.
class DotImage {
public:
    explicit DotImage(QRgb colour) : m_ink(qPremultiply(colour)) {}

    // Starts again on a clear image covering `area`.
    void reset(const QRectF &area);
    void add(const QPointF &place);

    const QRectF &area() const { return m_area; }
    const QImage &image() const { return m_image; }

private:
    QRgb m_ink;
    QRectF m_area;
    QRect m_pixels;
    QImage m_image;
};

// All the dots at once.
QImage dotImage(const QRectF &area, const QPolygonF &places, QRgb colour);

} // namespace mag_check
