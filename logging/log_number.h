#pragma once
#include "platform/locale.h"

#include <QChar>
#include <QString>

namespace logging {

// The user's decimal separator; "." when the locale has none.
QChar LogDecimalSeparator(const platform::Locale &locale);

// Shortest form up to 15 significant digits, the user's separator: 328.1 as "328,1".
QString FormatLogNumber(double value, QChar decimalSeparator);

} // namespace logging
