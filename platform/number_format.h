#pragma once
#include <QChar>
#include <QString>

namespace platform {

// A number as the user reads it: the shortest form up to 15 significant
// digits, no trailing zeros, the user's decimal separator (328.1 as "328,1").
// -0 reads as 0.
QString FormatNumber(double value, QChar decimalSeparator);

} // namespace platform
