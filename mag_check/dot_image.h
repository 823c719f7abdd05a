#pragma once
#include <QImage>
#include <QPolygonF>
#include <QRectF>

namespace mag_check {

// Dots of two by two pixels at the given places, on a clear image covering
// `area` (places outside it are left out). Tens of thousands cost a
// millisecond, where as many points drawn one by one cost a large part of a frame.
QImage dotImage(const QRectF &area, const QPolygonF &places, QRgb colour);

} // namespace mag_check
