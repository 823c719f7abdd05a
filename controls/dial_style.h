#pragma once
#include <QColor>

// What both instruments share, so they read as one set.
namespace controls::dial {

// Outer ring, in the design square's units.
inline constexpr double BezelRadius = 98;
inline const QColor Marking(Qt::white);

} // namespace controls::dial
